<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<!-- A counter defined in a loop body is gone once the loop ends. -->
<xsl:template match="/">
  <out>
    <xsl:for-each select="list/item">
      <r:counter name="inLoop" initialize="position()"/>
      <r:counter name="inLoop"/>
    </xsl:for-each>
    <r:counter name="inLoop" increment="1"/>
  </out>
</xsl:template>
</xsl:stylesheet>
