<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:value-of select="system-property('xsl:version')"/>
    <xsl:text> </xsl:text>
    <xsl:value-of select="system-property('xsl:vendor')"/>
    <xsl:text> </xsl:text>
    <xsl:value-of select="system-property('xsl:vendor-url')"/>
    <xsl:text> [</xsl:text>
    <xsl:value-of select="system-property('xsl:other')"/>
    <xsl:text>] </xsl:text>
    <xsl:value-of select="concat(function-available('document'), function-available('concat'), function-available('foo'))"/>
    <xsl:text> </xsl:text>
    <xsl:value-of select="concat(element-available('xsl:if'), element-available('xsl:sort'))"/>
    <xsl:text> </xsl:text>
    <xsl:value-of select="unparsed-entity-uri('logo')"/>
    <xsl:text> </xsl:text>
    <!-- current() is the node being processed, also inside a predicate. -->
    <xsl:for-each select="doc/e">
      <xsl:value-of select="//e[@id = current()/@ref]/@id"/>
    </xsl:for-each>
    <xsl:text> </xsl:text>
    <xsl:value-of select="generate-id(doc/e[1]) = generate-id(id('a'))"/>
    <xsl:value-of select="generate-id(doc/e[1]) = generate-id(doc/e[2])"/>
    <xsl:value-of select="string-length(generate-id(/..))"/>
  </xsl:template>
</xsl:stylesheet>
