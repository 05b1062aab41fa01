<?xml version="1.0"?>
<!-- xsl:number counting nodes at each level, with and without count and from. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:n="urn:n">
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:for-each select="//t | //n:t">
      <xsl:number/>
      <xsl:text>|</xsl:text>
      <xsl:number level="multiple" count="ch|sec|t" format="1.a.i"/>
      <xsl:text>|</xsl:text>
      <xsl:number level="multiple" count="ch|t" format="A-1:"/>
      <xsl:text>|</xsl:text>
      <xsl:number level="multiple" count="t|sec" from="ch"/>
      <xsl:text>|</xsl:text>
      <xsl:number level="single" count="sec"/>
      <xsl:text>|</xsl:text>
      <xsl:number level="single" count="t|ch" from="sec"/>
      <xsl:text>|</xsl:text>
      <xsl:number level="any"/>
      <xsl:text>|</xsl:text>
      <xsl:number level="any" from="ch"/>
      <xsl:text>|</xsl:text>
      <xsl:number level="any" count="t|x" from="sec"/>
      <xsl:text>|</xsl:text>
      <xsl:number level="any" count="*[@none]"/>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
    <!-- The default count matches the node's own type and name. -->
    <xsl:for-each select="doc/text()[normalize-space()] | doc/processing-instruction()">
      <xsl:number/>,<xsl:number level="any"/><xsl:text>;</xsl:text>
    </xsl:for-each>
    <xsl:text>&#10;</xsl:text>
    <!-- Nodes numbered out of document order, and again in order. -->
    <xsl:for-each select="//t"><xsl:sort select="position()" data-type="number" order="descending"/><xsl:number level="any"/><xsl:number level="multiple" count="*"/><xsl:text> </xsl:text></xsl:for-each>
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="//t"><xsl:number level="any"/><xsl:number level="multiple" count="*"/><xsl:text> </xsl:text></xsl:for-each>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
</xsl:stylesheet>
