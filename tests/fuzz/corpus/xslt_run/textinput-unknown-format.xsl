<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- A format belongs to the content list of its element: the one defined
     inside xsl:if is gone after it. -->
<xsl:template match="/">
  <xsl:if test="true()">
    <ti:format name="inner" separator=","/>
  </xsl:if>
  <ti:read href="rows.csv" format="inner"/>
</xsl:template>
</xsl:stylesheet>
