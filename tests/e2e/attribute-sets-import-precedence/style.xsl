<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:import href="imported.xsl"/>
  <xsl:output method="xml" omit-xml-declaration="yes"/>
  <!-- This declaration of "s" has the higher import precedence: what it
       gives, through its own use-attribute-sets as well, wins over the
       imported declaration. -->
  <xsl:attribute-set name="s" use-attribute-sets="u">
    <xsl:attribute name="d">main-own</xsl:attribute>
  </xsl:attribute-set>
  <xsl:attribute-set name="u">
    <xsl:attribute name="a">main-u</xsl:attribute>
    <xsl:attribute name="d">main-u</xsl:attribute>
  </xsl:attribute-set>
  <xsl:template match="/">
    <out xsl:use-attribute-sets="s"/>
  </xsl:template>
</xsl:stylesheet>
