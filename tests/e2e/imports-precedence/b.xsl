<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:import href="c.xsl"/>
  <xsl:template match="y">b-y </xsl:template>
  <!-- xsl:apply-imports searches this module's imports only: c, never a. -->
  <xsl:template match="w">b-w(<xsl:apply-imports/>)</xsl:template>
  <!-- No imported rule: the built-in rule processes the children with the
       rules of the principal stylesheet (main-u, not c-u). -->
  <xsl:template match="v">b-v{<xsl:apply-imports/>}</xsl:template>
</xsl:stylesheet>
