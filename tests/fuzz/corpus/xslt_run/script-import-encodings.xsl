<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- Scripts are found relative to the stylesheet and decoded with the
     encoding named (any case), UTF-8 by default. Importing a file twice runs
     it twice; what it declares stays for later imports. -->
<xsl:output method="text" encoding="UTF-8"/>
<xsl:template match="/">
  <s:import href="utf8.js"/>
  <s:import href="latin1.js" encoding="iso-8859-1"/>
  <s:import href="counter.js"/>
  <s:import href="counter.js" encoding="UTF-8"/>
  <xsl:value-of select="concat(s:get('', 'utf8Text'), '|', s:get('', 'latinText'), '|', s:get('', 'runs'))"/>
</xsl:template>
</xsl:stylesheet>
