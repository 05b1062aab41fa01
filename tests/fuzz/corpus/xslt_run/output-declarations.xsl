<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <!-- Within one module the later declaration wins, with error 33; a setting
       of the imported module counts only where this one gives none. -->
  <xsl:import href="imported.xsl"/>
  <xsl:output method="xml" encoding="UTF-8"/>
  <xsl:output encoding="ISO-8859-1"/>
</xsl:stylesheet>
