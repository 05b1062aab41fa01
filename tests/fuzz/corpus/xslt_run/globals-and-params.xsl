<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:import href="imported.xsl"/>
  <xsl:output method="text"/>
  <!-- Globals refer to globals declared later; the command line gives p. -->
  <xsl:variable name="sum" select="$a + $b"/>
  <xsl:variable name="a" select="$b * 10"/>
  <xsl:param name="b" select="1"/>
  <xsl:param name="p" select="'default'"/>
  <xsl:param name="q" select="'default-q'"/>
  <xsl:variable name="shared" select="'main'"/>
  <!-- A lazy node set held by a global to the end of the run. -->
  <xsl:variable name="elements" select="//*[name() != $p]"/>
  <xsl:template match="/">
    <xsl:value-of select="concat($sum, ' ', $p, ' ', $q, ' ', $shared, ' ', $only-imported)"/>
    <xsl:variable name="sum" select="'local'"/>
    <xsl:text> </xsl:text>
    <xsl:value-of select="$sum"/>
    <xsl:value-of select="count($elements)"/>
  </xsl:template>
</xsl:stylesheet>
