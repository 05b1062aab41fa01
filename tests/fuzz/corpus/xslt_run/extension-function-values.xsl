<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<xsl:output omit-xml-declaration="yes"/>
<xsl:variable name="fragment"><t:value select="'frag'"/></xsl:variable>
<!-- Each value type a function can give, and the arguments it is given. -->
<xsl:template match="/">
  <t:element name="out">
    <t:element name="string"><t:value select="t:string()"/></t:element>
    <t:element name="number"><t:value select="t:number() * 2"/></t:element>
    <t:element name="boolean"><t:value select="t:boolean() and true()"/></t:element>
    <t:element name="node-set"><t:value select="count(t:node()/list/item)"/></t:element>
    <t:element name="object"><t:value select="t:object()"/><t:value select="','"/><t:value select="concat(number(t:object()), boolean(t:object()), t:object() = 'object')"/></t:element>
    <t:element name="nothing"><t:value select="concat('[', t:nothing(), ']')"/></t:element>
    <t:element name="args"><t:value select="t:args('a', 1.5, false(), list/item, t:echo($fragment), t:echo(t:number()))"/></t:element>
  </t:element>
</xsl:template>
</xsl:stylesheet>
