<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<!-- A selection that is not a node set. -->
<xsl:template match="/">
  <out><r:group select="count(list/item)"><x/></r:group></out>
</xsl:template>
</xsl:stylesheet>
