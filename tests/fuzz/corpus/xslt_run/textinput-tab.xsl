<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- "#tab" splits at TAB only: commas and blanks stay in the values. -->
<xsl:template match="/">
  <ti:format name="t" separator="#tab">
    <ti:field name="a"/><ti:field name="b"/><ti:field name="c"/>
  </ti:format>
  <ti:read href="rows.tsv" format="t">
    <xsl:value-of select="concat('[', ti:field-value('a'), '][', ti:field-value('b'), '][', ti:field-value('c'), ']&#10;')"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
