<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- 0.4 rounds to 0, which is no width. -->
<xsl:template match="/">
  <ti:format name="f"><ti:field name="a" width="0.4"/></ti:format>
</xsl:template>
</xsl:stylesheet>
