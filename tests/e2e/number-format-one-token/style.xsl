<?xml version="1.0"?>
<!-- xsl:number with more numbers than tokens and no separator between
     tokens: "." separates the numbers; the text around the token is the
     prefix and suffix only. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:for-each select="//s[not(*)]">
      <xsl:number level="multiple" format="(1)"/>,<xsl:number level="multiple" format="#a"/>,<xsl:number level="multiple" format="[i]."/>,<xsl:number level="multiple" format="A-1"/>,<xsl:number level="multiple" format="1"/>
      <xsl:text>&#10;</xsl:text>
    </xsl:for-each>
  </xsl:template>
</xsl:stylesheet>
