<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<!-- initialize and increment together are refused when compiling. -->
<xsl:template match="/">
  <r:counter name="a" initialize="1" increment="1"/>
</xsl:template>
</xsl:stylesheet>
