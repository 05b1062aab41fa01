<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:p="urn:p" xmlns:q="urn:q" xmlns:same="urn:p">
  <!-- One local name in three namespaces: each is a variable of its own,
       globally and locally, and a prefix stands for its namespace. -->
  <xsl:output method="text"/>
  <xsl:variable name="x" select="'g'"/>
  <xsl:variable name="p:x" select="'gp'"/>
  <xsl:param name="q:x" select="'gq'"/>
  <xsl:template match="/">
    <xsl:value-of select="concat($x, ' ', $p:x, ' ', $q:x, ' ', $same:x)"/>
    <xsl:text>&#10;</xsl:text>
    <xsl:variable name="p:x" select="'lp'"/>
    <xsl:value-of select="concat($x, ' ', $p:x, ' ', $q:x, ' ', $same:x)"/>
    <xsl:text>&#10;</xsl:text>
    <xsl:call-template name="t">
      <xsl:with-param name="same:y" select="'wp'"/>
      <xsl:with-param name="y" select="'w'"/>
    </xsl:call-template>
  </xsl:template>
  <xsl:template name="t">
    <xsl:param name="y" select="'dy'"/>
    <xsl:param name="p:y" select="'dp'"/>
    <xsl:param name="q:y" select="'dq'"/>
    <xsl:value-of select="concat($y, ' ', $p:y, ' ', $q:y, ' ', $p:x)"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
</xsl:stylesheet>
