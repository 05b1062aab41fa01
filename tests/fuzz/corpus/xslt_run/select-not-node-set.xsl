<?xml version="1.0"?>
<!-- xsl:apply-templates over a value that is not a node set. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><out><xsl:apply-templates select="count(doc/a)"/></out></xsl:template>
</xsl:stylesheet>
