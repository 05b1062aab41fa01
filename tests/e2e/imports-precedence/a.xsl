<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="x" priority="10">a-x </xsl:template>
  <xsl:template match="y">a-y </xsl:template>
  <xsl:template match="z">a-z </xsl:template>
  <xsl:template match="w">a-w </xsl:template>
</xsl:stylesheet>
