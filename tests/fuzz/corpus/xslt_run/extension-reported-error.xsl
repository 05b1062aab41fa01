<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<!-- A package that reports its own failure: the text, then error 54,
     which leaves the function as it is (no second 54). -->
<xsl:template match="/">
  <t:value select="t:report(&quot;reported&quot;)"/>
</xsl:template>
</xsl:stylesheet>
