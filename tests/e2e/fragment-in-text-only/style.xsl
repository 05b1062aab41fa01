<?xml version="1.0"?>
<!-- A result tree fragment built inside xsl:attribute, xsl:comment or
     xsl:processing-instruction (a variable or parameter there) is a tree of
     its own: its elements are made, and value-of writes its string value. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <r>
      <xsl:attribute name="a"><xsl:variable name="v"><e>t</e><e>u</e></xsl:variable><xsl:value-of select="$v"/></xsl:attribute>
      <xsl:attribute name="b"><xsl:variable name="v"><e><xsl:attribute name="x">no</xsl:attribute>t</e><xsl:element name="e">u</xsl:element></xsl:variable><xsl:value-of select="concat(string-length($v), '|', $v)"/></xsl:attribute>
      <xsl:attribute name="c"><xsl:call-template name="show"><xsl:with-param name="p"><e>t</e><e>u</e></xsl:with-param></xsl:call-template></xsl:attribute>
      <xsl:comment><xsl:variable name="v"><e>t</e><e>u</e></xsl:variable><xsl:value-of select="$v"/></xsl:comment>
      <xsl:processing-instruction name="pi"><xsl:variable name="v"><e>t</e><e>u</e></xsl:variable><xsl:value-of select="$v"/></xsl:processing-instruction>
    </r>
  </xsl:template>
  <xsl:template name="show">
    <xsl:param name="p"/>
    <xsl:param name="q"><e>v</e></xsl:param>
    <xsl:value-of select="concat($p, $q)"/>
  </xsl:template>
</xsl:stylesheet>
