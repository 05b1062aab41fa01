<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<xsl:output omit-xml-declaration="yes"/>
<!-- Number keys: a text that is no number sorts as 0. Text keys compare as
     text, so "100" comes before "9". -->
<xsl:template match="/">
  <out>
    <number><r:group select="v/n"><r:sort data-type="number"/><xsl:value-of select="concat(., ' ')"/></r:group></number>
    <descending><r:group select="v/n"><r:sort data-type="{'number'}" order="descending"/><xsl:value-of select="concat(., ' ')"/></r:group></descending>
    <text><r:group select="v/n"><r:sort/><xsl:value-of select="concat(., ' ')"/></r:group></text>
  </out>
</xsl:template>
</xsl:stylesheet>
