<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- The arguments of a while come before its body. -->
<xsl:template match="/">
  <s:while property="next">
    <xsl:text>body</xsl:text>
    <s:with-param value="1"/>
  </s:while>
</xsl:template>
</xsl:stylesheet>
