<?xml version="1.0"?>
<!-- xsl:element and xsl:attribute: computed names and namespaces, the
     default namespace for elements only, attribute sets, a later attribute
     of one name replacing an earlier one, the name "xmlns" refused. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns="urn:default" xmlns:p="urn:p">
  <xsl:attribute-set name="base" use-attribute-sets="inner">
    <xsl:attribute name="from">base</xsl:attribute>
  </xsl:attribute-set>
  <xsl:attribute-set name="inner">
    <xsl:attribute name="from">inner</xsl:attribute>
    <xsl:attribute name="inner">yes</xsl:attribute>
  </xsl:attribute-set>
  <xsl:template match="/">
    <xsl:element name="root">
      <xsl:for-each select="doc/item">
        <xsl:element name="{concat('n-', @id)}" use-attribute-sets="base">
          <xsl:attribute name="plain"><xsl:value-of select="."/></xsl:attribute>
          <xsl:attribute name="p:pre">prefixed</xsl:attribute>
          <xsl:attribute name="p:other" namespace="urn:q">other</xsl:attribute>
          <xsl:attribute name="plain">replaced</xsl:attribute>
          <xsl:attribute name="{concat('xml','ns')}">refused</xsl:attribute>
        </xsl:element>
      </xsl:for-each>
      <xsl:element name="p:in-p"/>
      <xsl:element name="none" namespace=""/>
      <xsl:element name="p:moved" namespace="urn:elsewhere"/>
    </xsl:element>
  </xsl:template>
</xsl:stylesheet>
