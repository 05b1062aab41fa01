<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<!-- Sort children come before every other child of a group. -->
<xsl:template match="/">
  <r:group select="list/item">
    <x/>
    <r:sort select="."/>
  </r:group>
</xsl:template>
</xsl:stylesheet>
