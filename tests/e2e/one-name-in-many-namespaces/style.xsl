<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<xsl:output method="text"/>
<xsl:template match="/">
  <xsl:value-of select="count(/r/*)"/>
  <xsl:text> elements, </xsl:text>
  <xsl:value-of select="count(/r/*[namespace-uri() = concat('urn:', @*[local-name() = 'a'])])"/>
  <xsl:text> with their attribute's namespace, </xsl:text>
  <xsl:value-of select="count(/r/*[name() = 'e' and namespace-uri() = namespace-uri(preceding-sibling::*[1])])"/>
  <xsl:text> default after prefixed in one namespace&#10;</xsl:text>
  <xsl:for-each select="/r/*[position() mod 97 = 0]">
    <xsl:value-of select="name()"/> <xsl:text> </xsl:text> <xsl:value-of select="namespace-uri()"/>
    <xsl:text> </xsl:text><xsl:value-of select="namespace-uri(@*)"/><xsl:text>&#10;</xsl:text>
  </xsl:for-each>
</xsl:template>
</xsl:stylesheet>
