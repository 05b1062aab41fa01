<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<!-- A package that fails while its element runs: its message, then fatal
     error 54 at the element and the current node. The scopes the element
     opened end; the run stops. -->
<xsl:template match="/">
  <t:element name="out">
    <t:repeat times="3">
      <t:each select="list/item">
        <t:throw message="boom"/>
      </t:each>
    </t:repeat>
  </t:element>
</xsl:template>
</xsl:stylesheet>
