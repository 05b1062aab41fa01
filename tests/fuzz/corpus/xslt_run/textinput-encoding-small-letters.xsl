<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- Encoding names match without regard to case. With a named encoding the
     CR before each line feed stays in the record, so the last values are
     one unit longer. -->
<xsl:template match="/">
  <ti:format name="f" separator=","><ti:field name="x"/><ti:field name="y"/></ti:format>
  <ti:read href="rows.txt" encoding="utf-16" format="f">
    <xsl:value-of select="concat(ti:field-value(1), ':', string-length(ti:field-value(2)), ':',
                                 substring(ti:field-value(2), 1, 1), ' ')"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
