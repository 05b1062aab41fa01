<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- A byte-order mark at the start of a script is dropped; under UTF-16 it
     chooses the byte order, and without one UTF-16 is big-endian. -->
<xsl:output method="text" encoding="UTF-8"/>
<xsl:template match="/">
  <s:import href="utf8-mark.js"/>
  <s:import href="utf16-little.js" encoding="UTF-16"/>
  <s:import href="utf16-big.js" encoding="utf-16"/>
  <s:import href="utf16-unmarked.js" encoding="UTF-16"/>
  <xsl:value-of select="concat(s:get('', 'utf8Mark'), '|', s:get('', 'utf16Little'), '|', s:get('', 'utf16Big'), '|', s:get('', 'utf16Unmarked'))"/>
</xsl:template>
</xsl:stylesheet>
