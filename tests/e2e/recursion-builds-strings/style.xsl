<?xml version="1.0"?>
<!-- Strings built up and cut down level by level in a recursion: every
     level keeps its own value, whatever deeper levels build from it. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:call-template name="build"><xsl:with-param name="n" select="300"/></xsl:call-template>
    <xsl:text>&#10;</xsl:text>
    <xsl:call-template name="split"><xsl:with-param name="text" select="string(tokens)"/></xsl:call-template>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <!-- Each level also makes a second string from its $acc after the deeper
       levels have grown theirs from it, and checks its own is unchanged. -->
  <xsl:template name="build">
    <xsl:param name="n"/>
    <xsl:param name="acc" select="''"/>
    <xsl:choose>
      <xsl:when test="$n &gt; 0">
        <xsl:variable name="length" select="string-length($acc)"/>
        <xsl:call-template name="build">
          <xsl:with-param name="n" select="$n - 1"/>
          <xsl:with-param name="acc" select="concat($acc, $n mod 97, ',')"/>
        </xsl:call-template>
        <xsl:variable name="other" select="concat($acc, '#')"/>
        <xsl:if test="string-length($acc) != $length or substring($other, $length + 1) != '#'
                      or substring-before($other, '#') != $acc">
          <xsl:value-of select="concat('[changed at ', $n, ']')"/>
        </xsl:if>
        <xsl:if test="$n mod 100 = 0">
          <xsl:value-of select="concat('|', $n, ':', substring($acc, string-length($acc) - 5))"/>
        </xsl:if>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$acc"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
  <!-- The tokens in reverse order, each after the rest of the text is done. -->
  <xsl:template name="split">
    <xsl:param name="text"/>
    <xsl:choose>
      <xsl:when test="contains($text, ' ')">
        <xsl:variable name="rest" select="substring-after($text, ' ')"/>
        <xsl:call-template name="split"><xsl:with-param name="text" select="$rest"/></xsl:call-template>
        <xsl:value-of select="concat(substring-before($text, ' '), '.', string-length($rest) mod 10, ' ')"/>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="concat($text, ' ')"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
