<?xml version="1.0"?>
<!-- xsl:for-each over a result tree fragment, which is not a node set. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:variable name="f"><a/></xsl:variable>
  <xsl:template match="/"><out><xsl:for-each select="$f"><x/></xsl:for-each></out></xsl:template>
</xsl:stylesheet>
