<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <!-- The index of "k" is asked for while it is built. -->
  <xsl:key name="k" match="a" use="count(key('k', 'x'))"/>
  <xsl:template match="/">
    <xsl:value-of select="count(key('k', '1'))"/>
  </xsl:template>
</xsl:stylesheet>
