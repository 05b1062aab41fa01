<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns="urn:default">
  <xsl:output method="text"/>
  <!-- Function names never take the default namespace; element names do. -->
  <xsl:template match="/">
    <xsl:value-of select="concat(function-available('concat'), ' ', function-available('key'), ' ',
                                 function-available('no-such-function'))"/>
  </xsl:template>
</xsl:stylesheet>
