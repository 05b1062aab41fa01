<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<!-- The result is named after the document it copies: the document is read
     whole before the result replaces it. -->
<xsl:output indent="no"/>
<xsl:template match="/">
  <items><xsl:copy-of select="document('data.xml')/data/item"/></items>
</xsl:template>
</xsl:stylesheet>
