<?xml version="1.0"?>
<!-- format-number() checks its arguments and its decimal format, then stops: formatting is not provided. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:decimal-format name="f" decimal-separator=","/>
  <xsl:template match="/">
    <out><xsl:value-of select="format-number(1, '0', 'f')"/></out>
  </xsl:template>
</xsl:stylesheet>
