<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:template match="doc"><xsl:apply-templates/></xsl:template>
  <!-- a: two rules of priority 0; the later one runs, with error 23 -->
  <xsl:template match="a">first-a </xsl:template>
  <xsl:template match="a">second-a </xsl:template>
  <!-- b: a predicate (0.5) beats a name (0) and * (-0.5) -->
  <xsl:template match="b[@x]">b-with-x </xsl:template>
  <xsl:template match="b">plain-b </xsl:template>
  <xsl:template match="*">any-element </xsl:template>
  <!-- c: explicit priorities decide, whatever the patterns -->
  <xsl:template match="c" priority="3">c-high </xsl:template>
  <xsl:template match="doc/c" priority="2">c-low </xsl:template>
  <!-- d: alternatives give their highest default priority -->
  <xsl:template match="node()|d">d-or-node </xsl:template>
</xsl:stylesheet>
