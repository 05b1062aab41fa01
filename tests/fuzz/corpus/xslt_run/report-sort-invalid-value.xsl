<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<!-- Computed sort options are compared exactly: "Number" is not allowed. -->
<xsl:template match="/">
  <out>
    <r:group select="list/item">
      <r:sort data-type="{concat('N', 'umber')}"/>
      <xsl:value-of select="."/>
    </r:group>
  </out>
</xsl:template>
</xsl:stylesheet>
