<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- The result is named after the script the stylesheet imports. -->
<xsl:output method="text"/>
<xsl:template match="/">
  <s:import href="lib.js"/>
  <xsl:value-of select="s:call('', 'greet', 'world')"/>
</xsl:template>
</xsl:stylesheet>
