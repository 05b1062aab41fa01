<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<!-- t:repeat takes at most one t:head, before its other children. -->
<xsl:template match="/">
  <t:repeat times="1">
    <t:head/>
    <t:head/>
  </t:repeat>
</xsl:template>
</xsl:stylesheet>
