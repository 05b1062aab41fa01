<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<!-- An extension context used after its element returned fails as the
     package's own failure of the element that uses it. -->
<xsl:template match="/">
  <t:keep/>
  <t:use-kept/>
</xsl:template>
</xsl:stylesheet>
