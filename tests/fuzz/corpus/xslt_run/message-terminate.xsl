<?xml version="1.0"?>
<!-- xsl:message terminate="yes" writes its text, then ends the run with a
     fatal error and exit status 1. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <out>
      <xsl:for-each select="doc/n">
        <xsl:if test=". = 1"><xsl:message terminate="yes">stopping at <xsl:value-of select="position()"/></xsl:message></xsl:if>
        <n><xsl:value-of select="."/></n>
      </xsl:for-each>
    </out>
  </xsl:template>
</xsl:stylesheet>
