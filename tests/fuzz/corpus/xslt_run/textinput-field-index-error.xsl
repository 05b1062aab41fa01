<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<xsl:template match="/">
  <ti:format name="f" separator=","><ti:field name="a"/><ti:field name="b"/><ti:field name="c"/></ti:format>
  <ti:read href="rows.csv" format="f">
    <xsl:value-of select="ti:field-name(4)"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
