<?xml version="1.0"?>
<!-- An attribute after the element's content is an output error. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><out>text<xsl:attribute name="late">v</xsl:attribute></out></xsl:template>
</xsl:stylesheet>
