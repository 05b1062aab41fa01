<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- A syntax error in an imported file: the parser's report, the parse
     error naming the file, then fatal error 54 at the import element. -->
<xsl:template match="/">
  <s:import href="bad.js"/>
</xsl:template>
</xsl:stylesheet>
