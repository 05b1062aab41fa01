<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<!-- A run that fails after reading the document it is named after leaves
     that document whole. -->
<xsl:output method="text"/>
<xsl:template match="/">
  <xsl:for-each select="document('data.xml')/data/item">
    <xsl:value-of select="."/>
  </xsl:for-each>
  <xsl:message terminate="yes">stopped</xsl:message>
</xsl:template>
</xsl:stylesheet>
