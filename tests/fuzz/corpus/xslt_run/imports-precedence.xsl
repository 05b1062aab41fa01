<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <!-- Precedence: a 1, c 2, b 3 (b imports c), this module 4. -->
  <xsl:import href="a.xsl"/>
  <xsl:import href="b.xsl"/>
  <xsl:output method="text"/>
  <xsl:template match="doc"><xsl:apply-templates/></xsl:template>
  <!-- A rule of higher import precedence wins whatever the priorities. -->
  <xsl:template match="x" priority="-1">main-x </xsl:template>
  <xsl:template match="w">[<xsl:apply-imports/>]</xsl:template>
  <xsl:template match="u">main-u </xsl:template>
  <xsl:template match="text()">T</xsl:template>
</xsl:stylesheet>
