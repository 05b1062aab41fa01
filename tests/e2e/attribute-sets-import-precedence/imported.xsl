<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:attribute-set name="s" use-attribute-sets="v">
    <xsl:attribute name="a">imported</xsl:attribute>
    <xsl:attribute name="b">imported</xsl:attribute>
    <xsl:attribute name="c">imported</xsl:attribute>
    <xsl:attribute name="d">imported</xsl:attribute>
  </xsl:attribute-set>
  <xsl:attribute-set name="v">
    <xsl:attribute name="c">imported-v</xsl:attribute>
    <xsl:attribute name="e">imported-v</xsl:attribute>
  </xsl:attribute-set>
</xsl:stylesheet>
