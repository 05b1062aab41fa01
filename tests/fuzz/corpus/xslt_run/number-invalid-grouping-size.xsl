<?xml version="1.0"?>
<!-- grouping-size must be digits only. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <out><xsl:number value="1234" grouping-separator="," grouping-size="3a"/></out>
  </xsl:template>
</xsl:stylesheet>
