<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<xsl:output omit-xml-declaration="yes"/>
<!-- Child contexts of an extension end innermost first: t:crossed releases
     the outer of two nested children before it runs content in the inner
     one, whose variables and depth stay. A child kept past its element
     (t:keep) ended with it; releasing it later (t:drop-kept) ends nothing
     else. t:depth() counts the scopes open. -->
<xsl:template match="/">
  <t:element name="out">
    <t:crossed>
      <xsl:variable name="v" select="'kept'"/>
      <t:element name="crossed"><t:value select="$v"/></t:element>
    </t:crossed>
    <t:keep/>
    <t:value select="t:keep()"/>
    <t:element name="after-keep"/>
    <t:element name="drop"><t:drop-kept/><t:value select="t:depth()"/></t:element>
    <t:element name="after-drop"/>
  </t:element>
</xsl:template>
</xsl:stylesheet>
