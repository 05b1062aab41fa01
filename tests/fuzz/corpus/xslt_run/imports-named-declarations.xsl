<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:p="urn:stylesheet" xmlns:r="urn:main-result">
  <!-- Named templates, namespace aliases and attribute sets declared here
       and in the imported module: this module's declarations win. -->
  <xsl:import href="imported.xsl"/>
  <xsl:namespace-alias stylesheet-prefix="p" result-prefix="r"/>
  <xsl:attribute-set name="s"><xsl:attribute name="k">main</xsl:attribute></xsl:attribute-set>
  <xsl:template name="n">main-n</xsl:template>
  <xsl:template match="/">
    <p:out xsl:use-attribute-sets="s">
      <xsl:call-template name="n"/>
      <xsl:text> </xsl:text>
      <xsl:call-template name="only-imported"/>
    </p:out>
  </xsl:template>
</xsl:stylesheet>
