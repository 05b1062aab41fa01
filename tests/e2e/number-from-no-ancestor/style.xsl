<?xml version="1.0"?>
<!-- xsl:number with a from pattern that matches no ancestor counts from the
     root, at every level; a from ancestor still starts the count anew. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:for-each select="//sect1">
      <xsl:number level="any" count="chapter" from="book"/>
      <xsl:text> </xsl:text>
      <xsl:number level="any" count="sect1" from="book"/>
      <xsl:text> </xsl:text>
      <xsl:number level="single" count="chapter" from="book"/>
      <xsl:text> </xsl:text>
      <xsl:number level="single" from="book"/>
      <xsl:text> </xsl:text>
      <xsl:number level="multiple" count="chapter|sect1" from="book"/>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
  </xsl:template>
</xsl:stylesheet>
