<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- A number picks a field by position (rounded as round() does), any other
     value by name: field-value(2) and field-value('2') differ here. -->
<xsl:template match="/">
  <ti:format name="h" separator="," header="yes"/>
  <ti:read href="rows.csv" format="h">
    <xsl:value-of select="concat(ti:field-value(2), ' ', ti:field-value('2'), ' ', ti:field-value(1.4), ' ',
                                 ti:field-value(1.5), ' ', ti:field-name(2.5), ' ', ti:field-value(/doc/@n))"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
