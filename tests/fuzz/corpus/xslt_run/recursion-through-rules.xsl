<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <!-- Each rule applies templates to the same node again. -->
  <xsl:template match="/"><xsl:apply-templates select="."/></xsl:template>
</xsl:stylesheet>
