<?xml version="1.0"?>
<!-- key() searches the document of the context node: the node a predicate
     tests, the node a pattern matches, the node a for-each is at; not the
     document of current(). -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:key name="code" match="code" use="@id"/>
  <xsl:variable name="codes" select="document('codes.xml')/codes"/>
  <xsl:template match="/">
    <xsl:for-each select="$codes/use[key('code', @ref)]"><xsl:value-of select="@ref"/></xsl:for-each>
    <xsl:text>|</xsl:text>
    <xsl:value-of select="count($codes/use[key('code', 'x9')])"/>
    <xsl:value-of select="count(list/entry[key('code', 'x9')])"/>
    <xsl:text>|</xsl:text>
    <xsl:apply-templates select="$codes/use" mode="pattern"/>
    <xsl:text>|</xsl:text>
    <xsl:apply-templates select="$codes/code" mode="key-pattern"/>
    <xsl:text>|</xsl:text>
    <xsl:for-each select="$codes/use">
      <xsl:value-of select="concat(@ref, '=', key('code', @ref), ';')"/>
    </xsl:for-each>
    <xsl:for-each select="list/entry">
      <xsl:value-of select="concat(@code, '=', key('code', @code), count($codes/use[key('code', current()/@code)]), ';')"/>
    </xsl:for-each>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="use[key('code', @ref)]" mode="pattern">found <xsl:value-of select="@ref"/>;</xsl:template>
  <xsl:template match="use" mode="pattern">missing <xsl:value-of select="@ref"/>;</xsl:template>
  <xsl:template match="key('code', 'x2')" mode="key-pattern">key <xsl:value-of select="."/>;</xsl:template>
  <xsl:template match="code" mode="key-pattern">code <xsl:value-of select="."/>;</xsl:template>
</xsl:stylesheet>
