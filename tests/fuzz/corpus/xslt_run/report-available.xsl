<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" xmlns:n="urn:names" extension-element-prefixes="r">
<xsl:output method="text"/>
<!-- Elements and functions go by their exact names: counter and group are
     both, sort is an element only. -->
<xsl:template match="/">
  <xsl:for-each select="document('')//n:names/n:e">
    <xsl:value-of select="concat(., '=', element-available(concat('r:', .)), ' ')"/>
  </xsl:for-each>
  <xsl:text>&#10;</xsl:text>
  <xsl:for-each select="document('')//n:names/n:f">
    <xsl:value-of select="concat(., '=', function-available(concat('r:', .)), ' ')"/>
  </xsl:for-each>
</xsl:template>
<n:names>
  <n:e>counter</n:e><n:e>group</n:e><n:e>sort</n:e><n:e>Counter</n:e><n:e>groups</n:e><n:e>coun</n:e>
  <n:f>counter</n:f><n:f>group</n:f><n:f>sort</n:f><n:f>Group</n:f><n:f>counters</n:f>
</n:names>
</xsl:stylesheet>
