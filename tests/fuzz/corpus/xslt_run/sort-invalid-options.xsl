<?xml version="1.0"?>
<!-- A data-type that is not exactly "text" or "number" (here with a capital) is a run-time error. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <out><xsl:for-each select="doc/a"><xsl:sort data-type="{concat('N', 'umber')}"/><xsl:value-of select="."/></xsl:for-each></out>
  </xsl:template>
</xsl:stylesheet>
