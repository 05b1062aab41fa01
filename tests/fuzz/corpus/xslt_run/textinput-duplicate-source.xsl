<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- A source stays filed under its id until its content list ends: a second
     read with the same id beside it is refused, one nested deeper is not. -->
<xsl:template match="/">
  <ti:format name="f" separator=","><ti:field name="v"/></ti:format>
  <ti:read source-id="s" href="rows.csv" format="f">
    <ti:read source-id="s" href="rows.csv" format="f">
      <xsl:value-of select="ti:field-value(1, 's')"/>
    </ti:read>
  </ti:read>
  <ti:read source-id="s" href="rows.csv" format="f"/>
</xsl:template>
</xsl:stylesheet>
