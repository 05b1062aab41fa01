<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="https://veltrix.dev/xslt/text-input" xmlns:n="urn:names" extension-element-prefixes="t">
<xsl:output method="text"/>
<!-- Elements and functions go by their exact names; an element is no
     function and a function no element. -->
<xsl:template match="/">
  <xsl:for-each select="document('')//n:names/n:e">
    <xsl:value-of select="concat(., '=', element-available(concat('t:', .)), ' ')"/>
  </xsl:for-each>
  <xsl:text>&#10;</xsl:text>
  <xsl:for-each select="document('')//n:names/n:f">
    <xsl:value-of select="concat(., '=', function-available(concat('t:', .)), ' ')"/>
  </xsl:for-each>
</xsl:template>
<n:names>
  <n:e>format</n:e><n:e>read</n:e><n:e>field</n:e><n:e>Read</n:e><n:e>field-value</n:e><n:e>fields</n:e>
  <n:f>field-count</n:f><n:f>field-name</n:f><n:f>field-value</n:f><n:f>field</n:f><n:f>Field-count</n:f><n:f>read</n:f>
</n:names>
</xsl:stylesheet>
