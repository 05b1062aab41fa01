<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:variable name="x" select="'a'"/>
    <!-- Made where $x is 'a': it keeps that binding, wherever it is first walked. -->
    <xsl:variable name="matches" select="//e[@v = $x]"/>
    <xsl:for-each select="doc">
      <xsl:variable name="x" select="'b'"/>
      <xsl:value-of select="count($matches)"/>
      <xsl:text> </xsl:text>
      <xsl:value-of select="count(//e[@v = $x])"/>
      <xsl:text> </xsl:text>
      <xsl:call-template name="count"><xsl:with-param name="nodes" select="$matches"/></xsl:call-template>
    </xsl:for-each>
  </xsl:template>
  <xsl:template name="count">
    <xsl:param name="nodes"/>
    <xsl:variable name="x" select="'none'"/>
    <xsl:value-of select="count($nodes)"/>
  </xsl:template>
</xsl:stylesheet>
