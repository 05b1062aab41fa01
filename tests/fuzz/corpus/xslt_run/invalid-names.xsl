<?xml version="1.0"?>
<!-- Computed names no result node may carry are recoverable errors: the
     node is left out (an element's content, but for its leading attributes,
     takes its place) and the result stays well-formed. Comment text and
     processing-instruction data are mended by the writer. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <out>
      <xsl:element name="{concat('1', 'bad')}">
        <xsl:attribute name="lost">1</xsl:attribute>
        kept text<kept/>
      </xsl:element>
      <xsl:element name="{'a b'}">inside</xsl:element>
      <e>
        <xsl:attribute name="{'x y'}">v</xsl:attribute>
        <xsl:attribute name="{':a'}">v</xsl:attribute>
        <xsl:attribute name="good">v</xsl:attribute>
      </e>
      <xsl:processing-instruction name="{'XmL'}">not written</xsl:processing-instruction>
      <xsl:processing-instruction name="{'p:q'}">not written</xsl:processing-instruction>
      <xsl:processing-instruction name="{''}">not written</xsl:processing-instruction>
      <xsl:processing-instruction name="xml-stylesheet">href="a?>b"</xsl:processing-instruction>
      <xsl:comment>a--b</xsl:comment>
      <xsl:comment>ends-</xsl:comment>
      <xsl:comment>---</xsl:comment>
    </out>
  </xsl:template>
</xsl:stylesheet>
