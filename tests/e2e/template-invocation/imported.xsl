<?xml version="1.0"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="a" mode="m">
    <imported-a mode="m" id="{@id}"><xsl:apply-templates/></imported-a>
  </xsl:template>
  <xsl:template match="b"><imported-b/></xsl:template>
</xsl:stylesheet>
