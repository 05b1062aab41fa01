<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<!-- Two definitions of one name in one content list end the run at the
     second; the same name in a nested list before it is no duplicate. -->
<xsl:template match="/">
  <out>
    <r:counter name="total" initialize="1"/>
    <xsl:if test="true()"><r:counter name="total" initialize="2"/></xsl:if>
    <r:counter name="total" initialize="3"/>
    <not-reached/>
  </out>
</xsl:template>
</xsl:stylesheet>
