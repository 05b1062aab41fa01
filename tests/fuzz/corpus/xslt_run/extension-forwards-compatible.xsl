<xsl:stylesheet version="2.5" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<xsl:output omit-xml-declaration="yes"/>
<!-- In forwards-compatible mode an unknown XSLT instruction runs its
     fallbacks, an unknown top-level element is ignored, and an expression
     that does not parse fails only if it is evaluated. -->
<xsl:future-declaration/>
<xsl:template match="/">
  <t:element name="out">
    <xsl:future-instruction>
      <xsl:fallback><t:value select="'fallback'"/></xsl:fallback>
    </xsl:future-instruction>
    <xsl:future-instruction/>
    <t:repeat times="0"><t:value select="future syntax here"/></t:repeat>
  </t:element>
</xsl:template>
</xsl:stylesheet>
