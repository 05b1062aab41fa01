<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:key name="p:byName" match="item" use="@name" xmlns:p="urn:keys"/>
  <xsl:template match="/">
    <xsl:apply-templates select="list/item"/>
  </xsl:template>
  <!-- The prefixes of the names these functions get are declared on the
       template only: the pattern resolves them there, not at the
       apply-templates that dispatched. -->
  <xsl:template match="item[element-available('x:apply-templates')][not(function-available('x:unknown'))]
                           [system-property('x:version') = 1]"
                xmlns:x="http://www.w3.org/1999/XSL/Transform">
    <xsl:text>A</xsl:text>
  </xsl:template>
  <xsl:template match="item[key('q:byName', 'b')/@n = @n]" priority="1" xmlns:q="urn:keys">
    <xsl:text>B</xsl:text>
  </xsl:template>
</xsl:stylesheet>
