<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <!-- Parameters given by the caller (strings, single nodes, node sets
       that are walked lazily) and defaults computed from the ones before. -->
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:call-template name="t">
      <xsl:with-param name="s" select="'given'"/>
      <xsl:with-param name="one" select="r"/>
      <xsl:with-param name="many" select="r/i[@n &gt; 1]"/>
    </xsl:call-template>
    <xsl:apply-templates select="r/i[1]">
      <xsl:with-param name="s" select="count(r/i)"/>
      <xsl:with-param name="unused" select="'x'"/>
    </xsl:apply-templates>
  </xsl:template>
  <xsl:template name="t">
    <xsl:param name="s"/>
    <xsl:param name="one"/>
    <xsl:param name="many"/>
    <xsl:param name="d" select="concat($s, '/', count($many), '/', name($one))"/>
    <xsl:value-of select="concat($d, ' ', $many[2]/@n, ' ', sum($many/@n), '&#10;')"/>
  </xsl:template>
  <xsl:template match="i">
    <xsl:param name="s" select="'default'"/>
    <xsl:param name="t" select="$s * 2"/>
    <xsl:value-of select="concat(@n, ' ', $s, ' ', $t, '&#10;')"/>
  </xsl:template>
</xsl:stylesheet>
