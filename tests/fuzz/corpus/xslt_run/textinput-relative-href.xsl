<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- A relative href, here a template, resolves against the stylesheet, not
     the working folder. -->
<xsl:param name="name" select="'rows'"/>
<xsl:template match="/">
  <ti:format name="f" separator="|"><ti:field name="v"/><ti:field name="w"/></ti:format>
  <ti:read href="data/{$name}.txt" format="f">
    <xsl:value-of select="concat(ti:field-value('w'), ti:field-value('v'))"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
