<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- Node sets still held by the script package when the run ends: an
     argument that no call takes and the arguments of a call that failed.
     They are released with the run. -->
<xsl:output omit-xml-declaration="yes"/>
<xsl:template match="/">
  <xsl:variable name="items" select="/list/item"/>
  <out>
    <s:try>
      <s:catch>failed</s:catch>
      <s:call property="isNaN"><s:with-param value="$items"/></s:call>
    </s:try>
    <s:with-param value="/list"/>
  </out>
</xsl:template>
</xsl:stylesheet>
