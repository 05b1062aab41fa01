<?xml version="1.0"?>
<!-- The HTML writer writes tab, CR and LF in attribute values and CR in text
     as references too, also in URI attributes; script content stays raw. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" indent="no"/>
  <xsl:template match="/r">
    <p title="{@a}" href="{.}"><xsl:value-of select="."/><script><xsl:value-of select="."/></script></p>
  </xsl:template>
</xsl:stylesheet>
