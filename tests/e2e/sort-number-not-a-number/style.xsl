<?xml version="1.0"?>
<!-- A number key that is no number sorts before every number (after them
     when descending), not among the zeros; such keys keep input order. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:template match="/doc">
    <xsl:for-each select="n"><xsl:sort data-type="number"/>[<xsl:value-of select="."/>]</xsl:for-each>
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="n"><xsl:sort data-type="number" order="descending"/>[<xsl:value-of select="."/>]</xsl:for-each>
    <xsl:text>&#10;</xsl:text>
    <!-- Keys that are no number tie with each other: the second key orders them. -->
    <xsl:apply-templates select="n"><xsl:sort select="." data-type="number"/><xsl:sort select="." order="descending"/></xsl:apply-templates>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="n">[<xsl:value-of select="."/>]</xsl:template>
</xsl:stylesheet>
