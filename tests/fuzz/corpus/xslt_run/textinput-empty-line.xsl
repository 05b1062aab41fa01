<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- An empty line is a record whose fields are all empty; the content runs for it. -->
<xsl:template match="/">
  <ti:format name="f" separator=";"><ti:field name="x"/><ti:field name="y"/></ti:format>
  <ti:read href="rows.txt" format="f">
    <xsl:value-of select="concat('[', ti:field-value(1), '][', ti:field-value(2), ']&#10;')"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
