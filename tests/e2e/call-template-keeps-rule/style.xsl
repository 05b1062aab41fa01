<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:import href="imported.xsl"/>
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:apply-templates select="doc/*"/>
    <xsl:apply-templates select="doc/a" mode="m"/>
  </xsl:template>
  <!-- The named template runs within the matched rule: its apply-imports
       goes on from that rule, in that rule's mode. -->
  <xsl:template match="a | b">
    <xsl:text>main(</xsl:text>
    <xsl:call-template name="wrap"/>
    <xsl:text>) </xsl:text>
  </xsl:template>
  <xsl:template match="a" mode="m">
    <xsl:text>main-m(</xsl:text>
    <xsl:call-template name="wrap"/>
    <xsl:text>) </xsl:text>
  </xsl:template>
  <xsl:template match="c">
    <xsl:text>main-c(</xsl:text>
    <xsl:apply-imports/>
    <xsl:text>) </xsl:text>
  </xsl:template>
  <xsl:template name="wrap">
    <xsl:text>[</xsl:text>
    <xsl:apply-imports/>
    <xsl:text>]</xsl:text>
  </xsl:template>
</xsl:stylesheet>
