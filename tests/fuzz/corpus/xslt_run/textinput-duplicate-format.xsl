<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<xsl:template match="/">
  <ti:format name="f" separator=","/>
  <ti:format name="f" separator=";"/>
</xsl:template>
</xsl:stylesheet>
