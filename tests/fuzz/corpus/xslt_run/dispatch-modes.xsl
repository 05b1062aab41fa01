<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:template match="/">
    <xsl:apply-templates select="doc/p"/>
    <xsl:text>|</xsl:text>
    <xsl:apply-templates select="doc/p" mode="upper"/>
    <xsl:text>|</xsl:text>
    <!-- no rule of this mode: the built-in rules copy the text, keeping the mode -->
    <xsl:apply-templates select="doc" mode="unused"/>
  </xsl:template>
  <xsl:template match="p">[<xsl:apply-templates/>]</xsl:template>
  <xsl:template match="p" mode="upper">(<xsl:apply-templates mode="upper"/>)</xsl:template>
  <xsl:template match="em" mode="upper">EM</xsl:template>
  <xsl:template match="text()" mode="unused">&lt;<xsl:value-of select="."/>&gt;</xsl:template>
</xsl:stylesheet>
