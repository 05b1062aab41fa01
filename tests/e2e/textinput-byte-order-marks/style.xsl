<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<!-- A byte-order mark is no part of the first field name: a UTF-8 mark is
     dropped (also from narrow text), a UTF-16 mark chooses the byte order,
     and UTF-16 without a mark is big-endian. -->
<xsl:output method="text" encoding="UTF-8"/>
<xsl:template match="/">
  <ti:format name="f" separator="," header="yes"/>
  <ti:read href="narrow.csv" format="f" source-id="narrow">
    <xsl:value-of select="concat('narrow: ', ti:field-value('name', 'narrow'), '&#10;')"/>
  </ti:read>
  <ti:read href="utf8.csv" format="f" encoding="UTF-8" source-id="utf8">
    <xsl:value-of select="concat('utf8: ', ti:field-value('name', 'utf8'), ' ', ti:field-value('city', 'utf8'), '&#10;')"/>
  </ti:read>
  <ti:read href="little.csv" format="f" encoding="UTF-16" source-id="little">
    <xsl:value-of select="concat('little: ', ti:field-value('name', 'little'), ' ', ti:field-value('city', 'little'), '&#10;')"/>
  </ti:read>
  <ti:read href="big.csv" format="f" encoding="UTF-16" source-id="big">
    <xsl:value-of select="concat('big: ', ti:field-value('name', 'big'), ' ', ti:field-value('city', 'big'), '&#10;')"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
