<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:attribute-set name="a" use-attribute-sets="b"><xsl:attribute name="x">1</xsl:attribute></xsl:attribute-set>
  <xsl:attribute-set name="b" use-attribute-sets="c"/>
  <xsl:attribute-set name="c" use-attribute-sets="a"/>
  <xsl:template match="/"><out xsl:use-attribute-sets="a"/></xsl:template>
</xsl:stylesheet>
