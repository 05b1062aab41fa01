<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <!-- Both declarations of "item" make the index. -->
  <xsl:key name="item" match="book" use="@isbn"/>
  <xsl:key name="item" match="article" use="@doi"/>
  <xsl:template match="/">
    <xsl:for-each select="doc/ref">
      <xsl:value-of select="@to"/>:<xsl:for-each select="key('item', @to)"><xsl:value-of select="@title"/>,</xsl:for-each>
      <xsl:text> </xsl:text>
    </xsl:for-each>
    <!-- The key pattern sees every declaration too. -->
    <xsl:value-of select="count(key('item', '1'))"/>
    <xsl:apply-templates select="doc/*"/>
  </xsl:template>
  <xsl:template match="key('item', '1')">+</xsl:template>
  <xsl:template match="*"/>
</xsl:stylesheet>
