<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<xsl:output omit-xml-declaration="yes"/>
<!-- Extension code resolves a relative reference against the base URI of
     the stylesheet element, never against the source document; a reference
     that does not parse is reported and fails. -->
<xsl:template match="/">
  <t:element name="out">
    <t:value select="substring-after(t:resolve('data/x.txt'), '/e2e/')"/>
    <t:value select="' '"/>
    <t:value select="t:resolve('file:///abs/y.txt')"/>
    <t:value select="' '"/>
    <t:value select="t:resolve('a b:%')"/>
  </t:element>
</xsl:template>
</xsl:stylesheet>
