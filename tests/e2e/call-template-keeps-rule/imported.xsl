<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="a">imported-<xsl:value-of select="name()"/></xsl:template>
  <xsl:template match="a" mode="m">imported-m</xsl:template>
  <!-- The named template it calls is in the importing module: its
       apply-imports must not find the importing rule again. -->
  <xsl:template match="c">imported-c<xsl:call-template name="wrap"/></xsl:template>
</xsl:stylesheet>
