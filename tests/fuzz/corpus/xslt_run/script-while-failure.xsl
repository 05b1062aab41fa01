<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- A failure of a while loop's repeated call is not recorded, so a try
     around the loop does not handle it: the run stops, and the try reports
     the failure again. -->
<xsl:template match="/">
  <s:import href="loop.js"/>
  <out>
    <s:try>
      <s:catch>caught</s:catch>
      <s:while property="again"><pass/></s:while>
    </s:try>
  </out>
</xsl:template>
</xsl:stylesheet>
