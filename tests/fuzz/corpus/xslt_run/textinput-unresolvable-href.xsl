<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- An href that is no URI reference: the processor reports why, then the
     package ends the run with its own message, which names the href. -->
<xsl:template match="/">
  <ti:format name="f" separator=","><ti:field name="a"/></ti:format>
  <ti:read href="{concat('rows', '%zz.csv')}" format="f"><xsl:value-of select="ti:field-value(1)"/></ti:read>
</xsl:template>
</xsl:stylesheet>
