<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<xsl:output omit-xml-declaration="yes"/>
<!-- Number keys: a text that is no number sorts as 0. Text keys compare as
     text, so "100" comes before "9". Without a case order letters compare
     ignoring case and equal ones keep their input order. -->
<xsl:template match="/d">
  <out>
    <number><r:group select="v/n"><r:sort data-type="number"/><xsl:value-of select="concat(., ' ')"/></r:group></number>
    <descending><r:group select="v/n"><r:sort data-type="{'number'}" order="descending"/><xsl:value-of select="concat(., ' ')"/></r:group></descending>
    <text><r:group select="v/n"><r:sort/><xsl:value-of select="."/>,</r:group></text>
    <none><r:group select="w/s"><r:sort lang="de"/><xsl:value-of select="."/></r:group></none>
    <upper><r:group select="w/s"><r:sort case-order="upper-first"/><xsl:value-of select="."/></r:group></upper>
    <lower><r:group select="w/s"><r:sort case-order="{'lower-first'}"/><xsl:value-of select="."/></r:group></lower>
  </out>
</xsl:template>
</xsl:stylesheet>
