<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:p="urn:stylesheet" xmlns:r="urn:imported-result">
  <xsl:namespace-alias stylesheet-prefix="p" result-prefix="r"/>
  <xsl:attribute-set name="s">
    <xsl:attribute name="k">imported</xsl:attribute>
    <xsl:attribute name="j">imported-only</xsl:attribute>
  </xsl:attribute-set>
  <xsl:template name="n">imported-n</xsl:template>
  <xsl:template name="only-imported">imported-only</xsl:template>
</xsl:stylesheet>
