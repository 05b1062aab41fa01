<?xml version="1.0"?>
<!-- xsl:copy (a shallow copy: an element with its namespace nodes, never
     its attributes or children) and xsl:copy-of (deep copies in the order of
     the node set, fragments reproduced, other values as text). -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:n="urn:n"
    exclude-result-prefixes="n">
  <xsl:attribute-set name="set"><xsl:attribute name="from-set">yes</xsl:attribute></xsl:attribute-set>
  <xsl:variable name="fragment">text<f a="1"><xsl:comment>c</xsl:comment><xsl:processing-instruction name="p">d</xsl:processing-instruction></f></xsl:variable>
  <xsl:template match="/">
    <out>
      <shallow><xsl:apply-templates select="doc/node()|doc/@a" mode="shallow"/></shallow>
      <document><xsl:copy><xsl:text>only the content</xsl:text></xsl:copy></document>
      <deep><xsl:copy-of select="/"/></deep>
      <reverse><xsl:copy-of select="doc/e/preceding-sibling::node()[1]"/>|<xsl:for-each select="doc/e"><xsl:copy-of select="preceding-sibling::node()"/></xsl:for-each></reverse>
      <values><xsl:copy-of select="1 div 0"/>|<xsl:copy-of select="''"/>|<xsl:copy-of select="2 = 2"/></values>
      <fragment><xsl:copy-of select="$fragment"/></fragment>
    </out>
  </xsl:template>
  <xsl:template match="node()|@*" mode="shallow">
    <xsl:copy use-attribute-sets="set"><xsl:text>[content]</xsl:text></xsl:copy>
  </xsl:template>
</xsl:stylesheet>
