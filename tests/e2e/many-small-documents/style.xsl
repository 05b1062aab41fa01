<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<!-- Documents of very different sizes read one after another: each is whole. -->
<xsl:output method="text"/>
<xsl:template match="/">
  <xsl:for-each select="files/file">
    <xsl:variable name="d" select="document(@name)/doc"/>
    <xsl:value-of select="concat(@name, ' ', count($d//node()), ' ', string-length($d), ' ',
                                 string-length(concat($d/item[last()]/@id, $d/item[last()]/@note)), ' ',
                                 $d/item[last()]/comment(), ' ', $d/item[last()]/processing-instruction(), ' ',
                                 $d/item[last()])"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:for-each>
</xsl:template>
</xsl:stylesheet>
