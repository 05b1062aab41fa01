<?xml version="1.0"?>
<!-- Literal result elements: their names, attributes and namespace nodes go
     through xsl:namespace-alias; xsl:* attributes, excluded and XSLT
     namespaces stay out of the result. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:axsl="urn:kelto:alias" xmlns:old="urn:old" xmlns:drop="urn:drop" xmlns:keep="urn:keep"
    exclude-result-prefixes="drop">
  <xsl:namespace-alias stylesheet-prefix="axsl" result-prefix="xsl"/>
  <xsl:namespace-alias stylesheet-prefix="old" result-prefix="keep"/>
  <xsl:attribute-set name="common">
    <xsl:attribute name="class">from-set</xsl:attribute>
    <xsl:attribute name="title">set</xsl:attribute>
  </xsl:attribute-set>
  <xsl:template match="/">
    <axsl:stylesheet version="1.0">
      <xsl:for-each select="doc/item">
        <axsl:template match="{@id}" axsl:priority="{position()}" plain="{.} and text">
          <old:e old:a="{@id}" xsl:use-attribute-sets="common" title="literal"/>
        </axsl:template>
      </xsl:for-each>
      <drop:gone xsl:exclude-result-prefixes="keep" keep:x="1"/>
    </axsl:stylesheet>
  </xsl:template>
</xsl:stylesheet>
