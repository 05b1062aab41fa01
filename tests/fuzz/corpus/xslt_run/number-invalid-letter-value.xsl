<?xml version="1.0"?>
<!-- letter-value must be alphabetic or traditional. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <out><xsl:number value="1" letter-value="{'roman'}"/></out>
  </xsl:template>
</xsl:stylesheet>
