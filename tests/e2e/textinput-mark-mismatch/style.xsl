<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<!-- A UTF-16 file read as UTF-8 is refused, not misread. -->
<xsl:output method="text"/>
<xsl:template match="/">
  <ti:format name="f" separator="," header="yes"/>
  <ti:read href="little.csv" format="f" encoding="UTF-8"/>
</xsl:template>
</xsl:stylesheet>
