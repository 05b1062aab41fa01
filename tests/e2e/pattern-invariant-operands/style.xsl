<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <!-- Operands of pattern predicates that depend only on the document are
       taken from the document of the node matched; those that read
       variables are evaluated at each test. -->
  <xsl:key name="referenced" match="x[@id = //ref/@id]" use="'all'"/>
  <xsl:template match="/">
    <xsl:apply-templates select="//x"/>
    <xsl:text>|</xsl:text>
    <xsl:apply-templates select="document('other.xml')//x"/>
    <xsl:text>|</xsl:text>
    <xsl:value-of select="count(key('referenced', 'all'))"/>
    <xsl:for-each select="document('other.xml')/doc">
      <xsl:value-of select="count(key('referenced', 'all'))"/>
    </xsl:for-each>
    <xsl:text>|</xsl:text>
    <xsl:for-each select="//ref">
      <xsl:variable name="want" select="@id"/>
      <xsl:for-each select="//x[last()]">
        <xsl:number level="any" count="x[@id = $want]"/>
        <xsl:text> </xsl:text>
      </xsl:for-each>
    </xsl:for-each>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="x[@id = //ref/@id]">R<xsl:value-of select="@id"/></xsl:template>
  <xsl:template match="x[count(//x) = 3]" priority="0.2">T<xsl:value-of select="@id"/></xsl:template>
  <xsl:template match="x">-</xsl:template>
</xsl:stylesheet>
