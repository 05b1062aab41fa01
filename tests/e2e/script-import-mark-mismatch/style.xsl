<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- A UTF-16 file imported as UTF-8 (the default) is refused, not misread. -->
<xsl:output method="text"/>
<xsl:template match="/">
  <s:import href="little.js"/>
</xsl:template>
</xsl:stylesheet>
