<?xml version="1.0"?>
<!-- xsl:sort in xsl:for-each and xsl:apply-templates with every attribute. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:variable name="type" select="'number'"/>
  <xsl:template match="/doc">
    <!-- Without case-order the letters of a pair tie and keep input order. -->
    <xsl:for-each select="k[position() &lt;= 3]"><xsl:sort/><xsl:value-of select="."/></xsl:for-each>
    <xsl:text> </xsl:text>
    <xsl:for-each select="k[position() &lt;= 3]"><xsl:sort case-order="upper-first"/><xsl:value-of select="."/></xsl:for-each>
    <xsl:text> </xsl:text>
    <xsl:for-each select="k[position() &lt;= 3]"><xsl:sort case-order="{'lower-first'}" lang="de"/><xsl:value-of select="."/></xsl:for-each>
    <!-- Punctuation 91-96 after the letters; Latin-1 by code; above U+00FF by code unit; prefixes first. -->
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="k"><xsl:sort select="."/>(<xsl:value-of select="."/>)</xsl:for-each>
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="k"><xsl:sort select="." order="descending"/>(<xsl:value-of select="."/>)</xsl:for-each>
    <!-- Number keys: anything that is no number counts as 0 and keeps input order. -->
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="n"><xsl:sort data-type="number"/>[<xsl:value-of select="."/>]</xsl:for-each>
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="n"><xsl:sort data-type="{$type}" order="descending"/>[<xsl:value-of select="."/>]</xsl:for-each>
    <!-- The second key decides only among equal first keys. -->
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="r"><xsl:sort select="@g" data-type="number"/><xsl:sort select="@v" order="descending"/><xsl:value-of select="concat(@g, @v, ' ')"/></xsl:for-each>
    <!-- In the keys position() and last() are those of the unsorted list; in the body those of the sorted one. -->
    <xsl:text>&#10;</xsl:text>
    <xsl:apply-templates select="r">
      <xsl:with-param name="p" select="'p'"/>
      <xsl:sort select="last() - position()" data-type="number"/>
    </xsl:apply-templates>
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="r"><xsl:sort select="@v"/><xsl:value-of select="concat(position(), '/', last(), @g, @v, ' ')"/></xsl:for-each>
    <!-- An empty selection. -->
    <xsl:for-each select="none"><xsl:sort/>x</xsl:for-each>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="r">
    <xsl:param name="p"/>
    <xsl:value-of select="concat($p, position(), @g, @v, ' ')"/>
  </xsl:template>
</xsl:stylesheet>
