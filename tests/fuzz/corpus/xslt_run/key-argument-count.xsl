<?xml version="1.0"?>
<!-- key() takes exactly two arguments. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:key name="k" match="a" use="."/>
  <xsl:template match="/">
    <out><xsl:value-of select="count(key('k'))"/></out>
  </xsl:template>
</xsl:stylesheet>
