<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<!-- A package that fails while it compiles its element: its message, then
     static error 19 at the element; no result file is made. -->
<xsl:template match="/">
  <t:bad-compile/>
</xsl:template>
</xsl:stylesheet>
