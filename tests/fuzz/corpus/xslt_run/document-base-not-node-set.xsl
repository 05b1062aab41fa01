<?xml version="1.0"?>
<!-- The base argument of document() must be a node set. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <out><xsl:value-of select="count(document('a.xml', 'b'))"/></out>
  </xsl:template>
</xsl:stylesheet>
