<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<!-- A function that fails: its message, then fatal error 54 at the
     instruction whose expression called it. -->
<xsl:template match="/">
  <t:each select="list/item[2]">
    <t:value select="concat(., t:throw(concat(&quot;bad &quot;, .)))"/>
  </t:each>
</xsl:template>
</xsl:stylesheet>
