<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:ti="https://veltrix.dev/xslt/text-input" extension-element-prefixes="ti">
<xsl:output method="text"/>
<!-- The first line names the fields; quoted values and names keep the
     separators they hold, and their doubled quotes. -->
<xsl:template match="/">
  <ti:format name="people" separator="," header="yes"/>
  <ti:read href="people.csv" format="people">
    <xsl:value-of select="ti:field-count()"/>
    <xsl:text>: [</xsl:text><xsl:value-of select="ti:field-value('name')"/>
    <xsl:text>][</xsl:text><xsl:value-of select="ti:field-value('city, country')"/>
    <xsl:text>][</xsl:text><xsl:value-of select="ti:field-value(3)"/>
    <xsl:text>]&#10;</xsl:text>
  </ti:read>
  <xsl:value-of select="concat(ti:field-name(1), '|', ti:field-name(2), '|', ti:field-name(3))"/>
</xsl:template>
</xsl:stylesheet>
