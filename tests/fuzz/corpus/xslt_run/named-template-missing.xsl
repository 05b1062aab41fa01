<?xml version="1.0"?>
<!-- xsl:call-template of a name no template has. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><out><xsl:call-template name="nowhere"/></out></xsl:template>
</xsl:stylesheet>
