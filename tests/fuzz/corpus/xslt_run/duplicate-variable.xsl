<?xml version="1.0"?>
<!-- Two variables of one name in one content list: fatal when the second
     one's binding is committed; the same name in nested content is fine. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <out>
      <xsl:variable name="x" select="1"/>
      <xsl:if test="true()"><xsl:variable name="x" select="2"/><nested x="{$x}"/></xsl:if>
      <xsl:variable name="x" select="3"/>
      <not-reached/>
    </out>
  </xsl:template>
</xsl:stylesheet>
