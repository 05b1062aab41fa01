<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- Under a read with a source-id the functions need the id: without it
     they ask for the source of the empty id. -->
<xsl:template match="/">
  <ti:format name="f" separator=","><ti:field name="v"/></ti:format>
  <ti:read source-id="s" href="rows.csv" format="f">
    <xsl:value-of select="ti:field-count()"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
