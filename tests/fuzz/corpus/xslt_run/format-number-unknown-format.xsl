<?xml version="1.0"?>
<!-- A decimal format name that is not declared. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:decimal-format name="f"/>
  <xsl:template match="/">
    <out><xsl:value-of select="format-number(1, '0', 'g')"/></out>
  </xsl:template>
</xsl:stylesheet>
