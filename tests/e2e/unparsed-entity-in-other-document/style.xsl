<?xml version="1.0"?>
<!-- unparsed-entity-uri() looks in the document of the context node: the
     node a predicate tests, the node a pattern matches. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:variable name="pictures" select="document('pictures.xml')/pictures/picture"/>
  <xsl:template match="/">
    <xsl:for-each select="$pictures[unparsed-entity-uri(@src) != '']"><xsl:value-of select="@src"/>;</xsl:for-each>
    <xsl:text>|</xsl:text>
    <xsl:apply-templates select="$pictures"/>
    <xsl:text>|</xsl:text>
    <xsl:for-each select="$pictures">
      <xsl:value-of select="concat(@src, '=', contains(unparsed-entity-uri(@src), 'sun.gif'), ';')"/>
    </xsl:for-each>
    <xsl:value-of select="concat('moon=', contains(unparsed-entity-uri('moon'), 'moon.gif'))"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template match="picture[unparsed-entity-uri(@src)]">shown <xsl:value-of select="@src"/>;</xsl:template>
  <xsl:template match="picture">hidden <xsl:value-of select="@src"/>;</xsl:template>
</xsl:stylesheet>
