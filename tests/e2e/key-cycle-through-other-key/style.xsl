<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <!-- "a" needs "b" in its match, "b" needs "a" in its use. -->
  <xsl:key name="a" match="x[key('b', 'v')]" use="."/>
  <xsl:key name="b" match="y" use="count(key('a', 'w'))"/>
  <xsl:template match="/">
    <xsl:value-of select="count(key('a', '1'))"/>
  </xsl:template>
</xsl:stylesheet>
