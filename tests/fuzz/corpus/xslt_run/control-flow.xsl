<?xml version="1.0"?>
<!-- xsl:if, xsl:choose, xsl:for-each (position and size follow the selected
     list; nothing runs for an empty one), xsl:fallback of an unknown
     instruction in a newer version and of an extension element no package
     implements, and xsl:message. -->
<xsl:stylesheet version="1.1" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ext="urn:kelto:no-such-package" extension-element-prefixes="ext">
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:if test="'false'">a non-empty string is true&#10;</xsl:if>
    <xsl:if test="0">zero is false&#10;</xsl:if>
    <xsl:if test="/doc/missing">an empty node set is false&#10;</xsl:if>
    <xsl:for-each select="doc/n">
      <xsl:value-of select="concat(position(), '/', last(), '=', ., ': ')"/>
      <xsl:choose>
        <xsl:when test=". &gt; 2">big</xsl:when>
        <xsl:when test=". &gt; 1">middle</xsl:when>
        <xsl:when test=". &gt; 0">small (only the first true branch runs)</xsl:when>
        <xsl:otherwise>never</xsl:otherwise>
      </xsl:choose>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
    <xsl:for-each select="doc/missing">never</xsl:for-each>
    <xsl:choose>
      <xsl:when test="false()">never</xsl:when>
      <xsl:otherwise>otherwise&#10;</xsl:otherwise>
    </xsl:choose>
    <xsl:future-instruction>
      <xsl:fallback>first fallback&#10;</xsl:fallback>
      <xsl:fallback>second fallback&#10;</xsl:fallback>
    </xsl:future-instruction>
    <ext:unknown><xsl:fallback>extension fallback&#10;</xsl:fallback><not-compiled><xsl:bogus/></not-compiled></ext:unknown>
    <xsl:for-each select="doc/n[1]"><xsl:fallback>a fallback inside a known instruction never runs</xsl:fallback></xsl:for-each>
    <xsl:message>message <b>one</b> for <xsl:value-of select="count(doc/n)"/> nodes</xsl:message>
    <xsl:message terminate="no">message two</xsl:message>
    <xsl:text>done&#10;</xsl:text>
  </xsl:template>
</xsl:stylesheet>
