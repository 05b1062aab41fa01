<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><xsl:call-template name="forever"/></xsl:template>
  <xsl:template name="forever">
    <xsl:param name="depth" select="0"/>
    <xsl:call-template name="forever"><xsl:with-param name="depth" select="$depth + 1"/></xsl:call-template>
  </xsl:template>
</xsl:stylesheet>
