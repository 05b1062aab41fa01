<?xml version="1.0"?>
<!-- xsl:copy naming an attribute set that does not exist. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:s="urn:sets">
  <xsl:template match="/"><out><xsl:for-each select="doc/a"><xsl:copy use-attribute-sets="s:missing"/></xsl:for-each></out></xsl:template>
</xsl:stylesheet>
