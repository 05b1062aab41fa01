<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" xmlns:none="urn:kelto:no-package"
    extension-element-prefixes="t none">
<xsl:output method="text"/>
<!-- element-available() is true for the XSLT instructions and for the
     extension elements a package implements, not for every name of an
     extension namespace. -->
<xsl:template match="/">
  <xsl:value-of select="concat(element-available('xsl:if'), ' ', element-available('xsl:sort'), ' ',
      element-available('xsl:when'), ' ', element-available('t:element'), ' ', element-available('t:unknown'), ' ',
      element-available('none:thing'), ' ', element-available('if'))"/>
</xsl:template>
</xsl:stylesheet>
