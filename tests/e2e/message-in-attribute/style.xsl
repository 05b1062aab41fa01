<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <!-- A message written inside an attribute's content still prints the text of the elements it builds. -->
  <xsl:template match="/">
    <r>
      <xsl:attribute name="a">
        <xsl:text>v</xsl:text>
        <xsl:message>a<b>m</b><i><xsl:value-of select="/doc"/></i></xsl:message>
      </xsl:attribute>
      <xsl:comment>
        <xsl:message>c<b>d</b></xsl:message>
      </xsl:comment>
    </r>
  </xsl:template>
</xsl:stylesheet>
