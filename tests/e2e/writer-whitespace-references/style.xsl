<?xml version="1.0"?>
<!-- Tab, CR and LF in attribute values and CR in text are written as
     references, so the result reads back to the same values; tab and LF in
     text and the writer's own line ends stay raw. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/r">
    <out a="{@a}" text="{.}"><xsl:value-of select="."/></out>
  </xsl:template>
</xsl:stylesheet>
