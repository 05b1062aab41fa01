<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform" xmlns:my="urn:my" exclude-result-prefixes="my">
<!-- The result is named after the stylesheet, which reads itself through
     document(''): it is read whole before the result replaces it. -->
<xsl:output method="text"/>
<my:colours><my:c>red</my:c><my:c>green</my:c></my:colours>
<xsl:template match="/">
  <xsl:for-each select="document('')/*/my:colours/my:c">
    <xsl:value-of select="concat(., '&#10;')"/>
  </xsl:for-each>
</xsl:template>
</xsl:stylesheet>
