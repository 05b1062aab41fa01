<?xml version="1.0"?>
<!-- xsl:number value and format: tokens, separators, padding, grouping, letters, numerals. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:template name="n">
    <xsl:param name="v"/>
    <xsl:param name="f" select="'1'"/>
    <xsl:number value="$v" format="{$f}"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="/">
    <xsl:for-each select="doc/i[3]">
      <xsl:number level="multiple" count="doc|i" format="1."/>,<xsl:number level="multiple" count="doc|i" format="A-1:"/>,<xsl:number level="multiple" count="doc|i" format="(1)"/>,<xsl:number level="multiple" count="doc|i" format="[a]-(i)"/>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
    <xsl:number value="7" format="001"/>,<xsl:number value="0" format="001"/>,<xsl:number value="123456" format="01"/>
    <xsl:text>&#10;</xsl:text>
    <xsl:number value="5" format="0001" grouping-size="2" grouping-separator=","/>,<xsl:number value="1234567" grouping-size="3" grouping-separator="{'.'}"/>,<xsl:number value="1234567" grouping-size="3"/>,<xsl:number value="1234567" grouping-separator=","/>,<xsl:number value="1234567" grouping-size="2" grouping-separator="ab"/>,<xsl:number value="1234" grouping-size="" grouping-separator=","/>
    <xsl:text>&#10;</xsl:text>
    <xsl:number value="1" format="a"/>,<xsl:number value="26" format="a"/>,<xsl:number value="28" format="a"/>,<xsl:number value="52" format="A"/>,<xsl:number value="702" format="a"/>,<xsl:number value="703" format="a"/>,<xsl:number value="0" format="A"/>
    <xsl:text>&#10;</xsl:text>
    <xsl:number value="1999" format="I"/>,<xsl:number value="3888" format="i"/>,<xsl:number value="4" format="I"/>,<xsl:number value="4000" format="i"/>,<xsl:number value="0" format="I"/>
    <xsl:text>&#10;</xsl:text>
    <!-- Tokens that are no format of their own format like 1. -->
    <xsl:number value="12" format="x"/>,<xsl:number value="12" format="2"/>,<xsl:number value="12" format="ii"/>,<xsl:number value="12" format="&#x100;a"/>,<xsl:number value="1" format=""/>,<xsl:number value="3" format="-"/>,<xsl:number value="3" format="a" letter-value="traditional"/>,<xsl:number value="3" format="a" letter-value="alphabetic" lang="en"/>
    <xsl:text>&#10;</xsl:text>
    <!-- Rounding, and values no count can be: written as their number text. -->
    <xsl:number value="2.5"/>,<xsl:number value="2.49"/>,<xsl:number value="-0.4"/>,<xsl:number value="'12'"/>,<xsl:number value="-3" format="(1)"/>,<xsl:number value="1 div 0"/>,<xsl:number value="-1 div 0"/>,<xsl:number value="0 div 0"/>,<xsl:number value="'x'"/>
    <xsl:text>&#10;</xsl:text>
    <xsl:number value="4294967297"/>,<xsl:number value="2147483648" format="a"/>,<xsl:number value="9007199254740993"/>,<xsl:number value="100000000000000000000"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
</xsl:stylesheet>
