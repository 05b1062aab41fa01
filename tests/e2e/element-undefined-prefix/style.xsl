<?xml version="1.0"?>
<!-- The prefix of a computed element name must be declared when no
     namespace is given. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><out><xsl:element name="{concat('q', ':e')}"/></out></xsl:template>
</xsl:stylesheet>
