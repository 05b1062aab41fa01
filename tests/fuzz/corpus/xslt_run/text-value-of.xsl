<?xml version="1.0"?>
<!-- Literal text, xsl:text (white space kept; an empty one still ends the
     start tag) and xsl:value-of (the string value of the first node, numbers
     in XPath form, nothing for an empty string). The serialisers escape text
     even when disable-output-escaping asks otherwise. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <out>
      <xsl:text>  kept  </xsl:text>
      <a><xsl:value-of select="doc/v"/></a>
      <b><xsl:value-of select="doc/v" disable-output-escaping="yes"/></b>
      <c><xsl:text disable-output-escaping="yes">&lt;raw/&gt;</xsl:text><xsl:text>&lt;escaped/&gt;</xsl:text></c>
      <d><xsl:value-of select="doc/n * 2"/>|<xsl:value-of select="1 div 0"/>|<xsl:value-of select="-1 div 0"/>|<xsl:value-of select="0 div 0"/>|<xsl:value-of select="doc/missing"/>|<xsl:value-of select="1 = 1"/></d>
      <e><xsl:text/></e>
    </out>
  </xsl:template>
</xsl:stylesheet>
