<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- A format defined in a for-each body is defined anew in each iteration;
     there it hides the template's format of the same name, which is back
     after the loop. -->
<xsl:template match="/">
  <ti:format name="f" separator=","><ti:field name="a"/><ti:field name="b"/></ti:format>
  <xsl:for-each select="doc/i">
    <ti:format name="f" separator=";"><ti:field name="{.}"/><ti:field name="b"/></ti:format>
    <ti:read href="rows.txt" format="f">
      <xsl:value-of select="concat(ti:field-name(1), '=[', ti:field-value(1), '][', ti:field-value(2), '] ')"/>
    </ti:read>
  </xsl:for-each>
  <ti:read href="rows.txt" format="f">
    <xsl:value-of select="concat(ti:field-name(1), '=[', ti:field-value(1), '][', ti:field-value(2), ']')"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
