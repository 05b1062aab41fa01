<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <!-- Same name as a global of the importing module: no error, that one wins. -->
  <xsl:variable name="shared" select="'imported'"/>
  <xsl:variable name="only-imported" select="'from-import'"/>
</xsl:stylesheet>
