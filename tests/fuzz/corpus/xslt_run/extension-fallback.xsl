<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" xmlns:none="urn:kelto:no-package"
    extension-element-prefixes="t none">
<xsl:output omit-xml-declaration="yes"/>
<!-- Elements no package implements run their xsl:fallback children in
     order, and compile nothing else (the invalid children below are never
     looked at); without fallbacks they write nothing. t:shadow is known only
     to the second package of the test namespace, which never answers. The
     fallback of an implemented element never runs. -->
<xsl:template match="/">
  <t:element name="out">
    <t:unknown>
      <xsl:fallback><t:value select="'1'"/></xsl:fallback>
      <xsl:no-such-instruction/>
      <xsl:fallback><t:value select="'2'"/></xsl:fallback>
    </t:unknown>
    <none:thing select="(">
      <xsl:fallback><t:value select="'3'"/></xsl:fallback>
    </none:thing>
    <none:silent/>
    <t:shadow><xsl:fallback><t:value select="'4'"/></xsl:fallback></t:shadow>
    <t:repeat times="1">
      <xsl:fallback><t:value select="'never'"/></xsl:fallback>
      <t:value select="'5'"/>
    </t:repeat>
  </t:element>
</xsl:template>
</xsl:stylesheet>
