<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:key name="k" match="item" use="@id"/>
  <xsl:template match="/">
    <!-- Lazy values that load their document when first walked, deeper down:
         the document stays with the variable. -->
    <xsl:variable name="all" select="document('other.xml')//item"/>
    <xsl:variable name="children" select="document('other.xml')/list/item"/>
    <xsl:for-each select="doc/n">
      <xsl:if test="true()">
        <xsl:value-of select="count($all)"/>
        <xsl:value-of select="$all[2]/@name"/>
        <xsl:value-of select="count($children)"/>
        <xsl:text> </xsl:text>
      </xsl:if>
    </xsl:for-each>
    <xsl:for-each select="$all[1]"><xsl:value-of select="key('k', '2')/@name"/></xsl:for-each>
    <!-- A document given to a template through xsl:with-param. -->
    <xsl:apply-templates select="doc">
      <xsl:with-param name="list" select="document('other.xml')/list"/>
    </xsl:apply-templates>
  </xsl:template>
  <xsl:template match="doc">
    <xsl:param name="list"/>
    <xsl:for-each select="n">
      <xsl:text>|</xsl:text>
      <xsl:for-each select="$list/item"><xsl:value-of select="key('k', @id)/@name"/></xsl:for-each>
    </xsl:for-each>
  </xsl:template>
</xsl:stylesheet>
