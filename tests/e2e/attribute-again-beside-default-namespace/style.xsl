<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<xsl:output indent="no"/>
<xsl:template match="/">
  <xsl:element name="a" namespace="urn:d">
    <xsl:copy-of select="/*/namespace::*[name() = '']"/>
    <xsl:attribute name="x" namespace="urn:d">1</xsl:attribute>
    <xsl:attribute name="x" namespace="urn:d">2</xsl:attribute>
  </xsl:element>
</xsl:template>
</xsl:stylesheet>
