<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <!-- "byOwner" looks up "person", declared after it, for every item it
       indexes: no cycle. -->
  <xsl:key name="byOwner" match="item" use="key('person', @owner)/@name"/>
  <xsl:key name="person" match="person" use="@id"/>
  <!-- A key pattern inside a key's match is no cycle either. -->
  <xsl:key name="owned" match="item[key('person', @owner)]" use="@owner"/>
  <xsl:template match="/">
    <xsl:for-each select="key('byOwner', 'Ann')">
      <xsl:value-of select="."/>,</xsl:for-each>
    <xsl:text> </xsl:text>
    <xsl:value-of select="count(key('owned', 'p2'))"/>
    <xsl:text> </xsl:text>
    <xsl:value-of select="count(key('owned', 'p9'))"/>
  </xsl:template>
</xsl:stylesheet>
