<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<xsl:output omit-xml-declaration="yes"/>
<!-- A warning of a package: its text, then warning 53; the run goes on. -->
<xsl:template match="/">
  <t:element name="out">
    <t:warn message="careful"/>
    <t:value select="1"/>
  </t:element>
</xsl:template>
</xsl:stylesheet>
