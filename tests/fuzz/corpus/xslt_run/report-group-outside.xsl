<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<!-- group() with no group element being processed. -->
<xsl:template match="/">
  <out><xsl:value-of select="count(r:group())"/></out>
</xsl:template>
</xsl:stylesheet>
