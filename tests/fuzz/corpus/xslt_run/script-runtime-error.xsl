<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- A run-time error inside a script function called from XPath: the
     engine's message, the file and the function with its line, then fatal
     error 54 at the instruction whose expression made the call. -->
<xsl:template match="/">
  <s:import href="lib.js"/>
  <xsl:value-of select="s:call('', 'total', number(doc/n))"/>
</xsl:template>
</xsl:stylesheet>
