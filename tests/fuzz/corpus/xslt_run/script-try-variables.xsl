<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- The catch children come before the body, so they see the variables in
     force around the try, not those the failed body had bound. -->
<xsl:output method="text"/>
<xsl:variable name="v" select="'outer'"/>
<xsl:template match="/">
  <s:try>
    <s:catch><xsl:value-of select="$v"/></s:catch>
    <xsl:variable name="v" select="'body'"/>
    <s:call property="nope"/>
  </s:try>
  <xsl:text>|</xsl:text>
  <s:try>
    <s:catch><xsl:variable name="w" select="'catch'"/><xsl:value-of select="$w"/></s:catch>
    <xsl:variable name="w" select="'body'"/>
    <s:call property="nope"/>
  </s:try>
</xsl:template>
</xsl:stylesheet>
