<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<!-- A device never ends: reading stops once it is longer than any script
     string may be. -->
<xsl:output method="text"/>
<xsl:template match="/">
  <ti:format name="f" separator=","><ti:field name="a"/></ti:format>
  <ti:read href="file:///dev/zero" format="f" encoding="UTF-8"/>
</xsl:template>
</xsl:stylesheet>
