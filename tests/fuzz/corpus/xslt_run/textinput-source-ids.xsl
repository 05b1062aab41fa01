<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- Sources under ids: the functions name them by their last argument. An
     inner read opens its file anew in each record of the outer one. After
     its read the source is still visible: its fields keep their names, and
     past the last record every value is empty. -->
<xsl:template match="/">
  <ti:format name="f" separator=","><ti:field name="v"/></ti:format>
  <ti:read source-id="outer" href="outer.csv" format="f">
    <ti:read source-id="inner" href="inner.csv" format="f">
      <xsl:value-of select="concat(ti:field-value(1, 'outer'), '-', ti:field-value('v', 'inner'), ';')"/>
    </ti:read>
  </ti:read>
  <xsl:value-of select="concat(' count=', ti:field-count('outer'), ' name=', ti:field-name(1, 'outer'),
                               ' value=[', ti:field-value(1, 'outer'), ']')"/>
</xsl:template>
</xsl:stylesheet>
