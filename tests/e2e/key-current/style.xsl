<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <!-- current() is the node being indexed, in use and in match predicates. -->
  <xsl:key name="a" match="val" use="current()/@k"/>
  <xsl:key name="b" match="val[current()/@k = 'two']" use="@k"/>
  <xsl:key name="c" match="val" use="../item[@ref = current()/@k]"/>
  <xsl:template match="/">
    <xsl:value-of select="key('a', 'one')"/>
    <xsl:text>|</xsl:text>
    <xsl:value-of select="count(key('b', 'one'))"/>
    <xsl:value-of select="key('b', 'two')"/>
    <xsl:text>|</xsl:text>
    <xsl:value-of select="key('c', 'first')"/>
  </xsl:template>
</xsl:stylesheet>
