<?xml version="1.0"?>
<!-- Without an unnamed xsl:decimal-format there is no default decimal format. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:decimal-format name="f"/>
  <xsl:template match="/">
    <out><xsl:value-of select="format-number(1, '0')"/></out>
  </xsl:template>
</xsl:stylesheet>
