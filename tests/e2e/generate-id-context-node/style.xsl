<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:key name="k" match="t" use="@s"/>
  <xsl:template match="/">
    <!-- Grouping: generate-id() without an argument is the node the
         predicate tests, not current(). -->
    <xsl:for-each select="r/t[generate-id() = generate-id(key('k', @s)[1])]">
      <xsl:value-of select="@s"/>:<xsl:value-of select="count(key('k', @s))"/>
      <xsl:text> </xsl:text>
    </xsl:for-each>
    <!-- Outside a predicate it is the context node as well. -->
    <xsl:for-each select="r/t[3]">
      <xsl:value-of select="generate-id() = generate-id(current())"/>
      <xsl:value-of select="generate-id() = generate-id(..)"/>
      <xsl:value-of select="count(../t[generate-id() = generate-id(current())])"/>
    </xsl:for-each>
  </xsl:template>
</xsl:stylesheet>
