<?xml version="1.0"?>
<!-- With a namespace attribute the prefix of the name of xsl:element or
     xsl:attribute is only a hint for the output: it need not be declared. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/doc">
    <out>
      <xsl:element name="q:foo" namespace="urn:x"/>
      <xsl:element name="{concat('r', ':e')}" namespace="{@ns}">
        <xsl:attribute name="q:a" namespace="urn:x">1</xsl:attribute>
        <xsl:attribute name="r:b" namespace="{@ns}">2</xsl:attribute>
      </xsl:element>
      <xsl:element name="q:plain" namespace=""><xsl:attribute name="q:c" namespace="">3</xsl:attribute></xsl:element>
    </out>
  </xsl:template>
</xsl:stylesheet>
