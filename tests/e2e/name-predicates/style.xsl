<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:p="urn:p">
  <!-- Name tests in predicates and patterns, current() inside them, and
       steps whose last predicate is a position after a name test. -->
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:for-each select="book/*">
      <xsl:value-of select="@id"/>
      <xsl:text>: info=</xsl:text>
      <xsl:value-of select="*[local-name(.) = concat(local-name(current()), 'info')]"/>
      <xsl:text> count=</xsl:text>
      <xsl:value-of select="count(*[local-name() = concat(local-name(current()), 'info')])"/>
      <xsl:text> last=</xsl:text>
      <xsl:value-of select="*[local-name(.) = concat(local-name(current()), 'info')][last()]"/>
      <xsl:text> same-name-first=</xsl:text>
      <xsl:value-of select="../*[name() = name(current())][1]/@id"/>
      <xsl:text> same-name-second=</xsl:text>
      <xsl:value-of select="../*[name(.) = name(current())][2]/@id"/>
      <xsl:text> other-before=</xsl:text>
      <xsl:value-of select="preceding-sibling::*[local-name() != local-name(current())][1]/@id"/>
      <xsl:text> sections=</xsl:text>
      <xsl:value-of select="count(../*[self::section or self::p:section])"/>
      <xsl:text> not-title=</xsl:text>
      <xsl:value-of select="count(*[not(self::title)])"/>
      <xsl:text> uri=</xsl:text>
      <xsl:value-of select="count(../*[namespace-uri() = namespace-uri(current())])"/>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
    <xsl:apply-templates select="book/node()"/>
  </xsl:template>
  <xsl:template match="*[self::section or self::chapter]">
    <xsl:text>part </xsl:text>
    <xsl:value-of select="@id"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="*[local-name() = 'section']" priority="0.25">
    <xsl:text>other section </xsl:text>
    <xsl:value-of select="@id"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="*[name(.) != 'appendix'][1]" priority="-1">
    <xsl:text>never chosen over the rules above </xsl:text>
    <xsl:value-of select="@id"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="processing-instruction()[name() = 'section']">
    <xsl:text>instruction section&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="text()"/>
  <xsl:template match="*">
    <xsl:text>rest </xsl:text>
    <xsl:value-of select="@id"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
</xsl:stylesheet>
