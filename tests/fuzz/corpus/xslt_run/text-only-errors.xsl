<?xml version="1.0"?>
<!-- Inside xsl:attribute, xsl:comment and xsl:processing-instruction only
     text may be written: every other node is a recoverable error (36 to
     40) and is left out with its content. A fragment copied there keeps
     the text of its elements. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:variable name="fragment"><b>bold</b><xsl:comment>c</xsl:comment>text</xsl:variable>
  <xsl:template match="/">
    <out>
      <xsl:attribute name="a1">[<xsl:attribute name="inner">x</xsl:attribute>]</xsl:attribute>
      <xsl:attribute name="a2">[<xsl:comment>c</xsl:comment><xsl:processing-instruction name="p">d</xsl:processing-instruction>]</xsl:attribute>
      <xsl:attribute name="a3">[<b>bold</b><xsl:element name="i">italic</xsl:element>]</xsl:attribute>
      <xsl:attribute name="a4">[<xsl:copy-of select="doc/e"/>|<xsl:copy-of select="doc/e/text()"/>]</xsl:attribute>
      <xsl:attribute name="a5">[<xsl:copy-of select="doc/@a"/><xsl:copy-of select="doc/namespace::n"/>]</xsl:attribute>
      <xsl:attribute name="a6">[<xsl:copy-of select="doc/comment()|doc/processing-instruction()"/>]</xsl:attribute>
      <xsl:attribute name="a7">[<xsl:for-each select="doc/e"><xsl:copy><xsl:value-of select="."/></xsl:copy></xsl:for-each>]</xsl:attribute>
      <xsl:attribute name="a8">[<xsl:copy-of select="$fragment"/>]</xsl:attribute>
      <xsl:comment>[<xsl:attribute name="x">1</xsl:attribute><xsl:comment>nested</xsl:comment>]</xsl:comment>
      <xsl:processing-instruction name="pi">[<e>text</e><xsl:processing-instruction name="q"/>]</xsl:processing-instruction>
    </out>
  </xsl:template>
</xsl:stylesheet>
