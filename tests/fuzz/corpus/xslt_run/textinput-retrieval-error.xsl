<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- Only local file URLs open. -->
<xsl:template match="/">
  <ti:format name="f" separator=","/>
  <ti:read href="http://example.com/rows.csv" format="f"/>
</xsl:template>
</xsl:stylesheet>
