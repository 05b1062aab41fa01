<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<xsl:output omit-xml-declaration="yes"/>
<!-- group() walks its members in sorted order; a union with it is still in
     document order and holds each node once. -->
<xsl:template match="/">
  <out>
    <r:group select="v/n" key="'all'">
      <r:sort select="." data-type="number" order="descending"/>
      <sorted><xsl:for-each select="r:group()"><xsl:value-of select="."/></xsl:for-each></sorted>
      <union><xsl:for-each select="r:group() | /v/n[2]"><xsl:value-of select="."/></xsl:for-each></union>
      <count><xsl:value-of select="count(r:group() | r:group())"/></count>
    </r:group>
  </out>
</xsl:template>
</xsl:stylesheet>
