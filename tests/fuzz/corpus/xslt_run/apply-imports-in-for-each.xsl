<?xml version="1.0"?>
<!-- Inside xsl:for-each there is no current template rule. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><out><xsl:for-each select="doc/a"><xsl:apply-imports/></xsl:for-each></out></xsl:template>
</xsl:stylesheet>
