<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<!-- counter() takes exactly one argument. -->
<xsl:template match="/">
  <r:counter name="a" initialize="1"/>
  <out><xsl:value-of select="r:counter('a', 'b')"/></out>
</xsl:template>
</xsl:stylesheet>
