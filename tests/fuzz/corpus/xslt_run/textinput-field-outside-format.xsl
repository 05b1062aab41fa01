<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<!-- A field element outside any format element has no format to add to:
     the run ends with an error instead of a crash. -->
<xsl:template match="/">
  <ti:field name="a"/>
</xsl:template>
</xsl:stylesheet>
