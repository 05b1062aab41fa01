<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<!-- The result is named after the text file the stylesheet reads: every
     record is read before the result replaces it. -->
<xsl:output method="text"/>
<xsl:template match="/">
  <ti:format name="f" separator=",">
    <ti:field name="fruit"/><ti:field name="count"/>
  </ti:format>
  <ti:read href="data.csv" format="f">
    <xsl:value-of select="concat(ti:field-value('count'), ' ', ti:field-value('fruit'), '&#10;')"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
