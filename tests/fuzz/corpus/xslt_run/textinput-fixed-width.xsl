<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- Widths are numbers rounded as round() does (2.5 is 3); values lose
     trailing blanks only; text past the widths is ignored, and a short
     record leaves the last fields empty. Field names are templates. -->
<xsl:template match="/">
  <ti:format name="fixed">
    <ti:field name="code" width="3"/>
    <ti:field name="name" width="2.5"/>
    <ti:field name="{concat('q', 'ty')}" width="2 + 2"/>
  </ti:format>
  <ti:read href="stock.txt" format="fixed">
    <xsl:value-of select="concat('[', ti:field-value('code'), '][', ti:field-value('name'), '][', ti:field-value('qty'), ']&#10;')"/>
  </ti:read>
</xsl:template>
</xsl:stylesheet>
