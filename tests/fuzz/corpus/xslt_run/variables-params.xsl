<?xml version="1.0"?>
<!-- Variables and parameters: scopes, shadowing in nested content, template
     parameters with defaults that use earlier ones, the first of two
     with-param of one name, values of called templates, and lazy node sets
     that keep the bindings visible where they were made. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:param name="outer" select="'default'"/>
  <xsl:param name="unset" select="'unset default'"/>
  <xsl:variable name="k" select="'a'"/>
  <xsl:variable name="items" select="//item[@k = $k]"/>
  <xsl:variable name="empty"/>
  <xsl:template match="/">
    <xsl:value-of select="concat('params: ', $outer, ' / ', $unset, '&#10;')"/>
    <xsl:value-of select="concat('empty variable is a string: ', string-length($empty), ' ', boolean($empty), '&#10;')"/>
    <xsl:variable name="local" select="'outer local'"/>
    <xsl:variable name="key" select="'a'"/>
    <xsl:variable name="set" select="//item[@k = $key]"/>
    <xsl:if test="true()">
      <xsl:variable name="local" select="'inner local'"/>
      <xsl:variable name="key" select="'b'"/>
      <xsl:variable name="k" select="'b'"/>
      <xsl:value-of select="concat('shadowed: ', $local, ', lazy sets still of a: ', count($set), ' ', count($items), '&#10;')"/>
      <xsl:variable name="later" select="//item[@k = $key]"/>
      <xsl:for-each select="$set"><xsl:value-of select="."/></xsl:for-each>
      <xsl:text>&#10;</xsl:text>
      <xsl:call-template name="show"><xsl:with-param name="set" select="$later"/></xsl:call-template>
    </xsl:if>
    <xsl:value-of select="concat('after: ', $local, '&#10;')"/>
    <xsl:for-each select="doc/item">
      <xsl:variable name="each" select="concat('[', ., ']')"/>
      <xsl:value-of select="$each"/>
    </xsl:for-each>
    <xsl:text>&#10;</xsl:text>
    <xsl:call-template name="defaults">
      <xsl:with-param name="first" select="'given first'"/>
      <xsl:with-param name="first" select="'given twice'"/>
      <xsl:with-param name="unknown" select="'ignored'"/>
    </xsl:call-template>
    <xsl:call-template name="no-locals"/>
    <xsl:variable name="fragment"><xsl:call-template name="defaults"/></xsl:variable>
    <xsl:value-of select="concat('fragment: ', string-length($fragment) &gt; 0, '&#10;')"/>
  </xsl:template>
  <xsl:template name="show">
    <xsl:param name="set"/>
    <xsl:value-of select="concat('with-param set of b: ', count($set), '&#10;')"/>
  </xsl:template>
  <xsl:template name="defaults">
    <xsl:param name="first" select="'first default'"/>
    <xsl:param name="second" select="concat($first, ' and second default')"/>
    <xsl:param name="third">fragment <xsl:value-of select="$second"/></xsl:param>
    <xsl:value-of select="concat($third, '&#10;')"/>
  </xsl:template>
  <xsl:template name="no-locals">
    <xsl:value-of select="concat('global seen from a called template: ', $k, '&#10;')"/>
  </xsl:template>
</xsl:stylesheet>
