<?xml version="1.0"?>
<!-- document(): one and two arguments, URIs from strings (against the
     stylesheet) and from nodes (against each node's document), node sets of
     URIs, one document per URI in a run; key() and unparsed-entity-uri()
     work in the document of the context node. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:key name="k" match="item" use="@id"/>
  <xsl:template match="/">
    <xsl:variable name="a" select="document('sub/a.xml')"/>
    <!-- Relative to the stylesheet, to a node's document, to the base argument. -->
    <xsl:value-of select="concat(document('c.xml')/c/@where, ' ', document($a/list/ref)/c/@where, ' ',
        document('c.xml', $a)/c/@where, ' ', document(string($a/list/ref))/c/@where, ' ',
        document($a/list/ref, /)/c/@where)"/>
    <!-- A node set of URIs: each document once, whatever the repetitions. -->
    <xsl:value-of select="concat(' ', count(document(/doc/ref)), count(document(/doc/ref) | $a),
        count(document('sub/a.xml') | document('sub/a.xml')), generate-id($a) = generate-id(document(/doc/ref[1])),
        count(document(/doc/none)), count(document('')/xsl:stylesheet/xsl:key))"/>
    <!-- The source document by its own URI. -->
    <xsl:value-of select="concat(' ', count(document('input.xml') | /))"/>
    <xsl:text>&#10;</xsl:text>
    <xsl:for-each select="$a/list">
      <xsl:for-each select="key('k', '1')"><xsl:value-of select="@name"/>,</xsl:for-each>
      <xsl:value-of select="count(key('k', ../list/item/@id))"/>
      <xsl:text> </xsl:text>
      <xsl:value-of select="unparsed-entity-uri('pic')"/>
    </xsl:for-each>
    <xsl:text>|</xsl:text>
    <!-- In the source document: no item, no entity. -->
    <xsl:value-of select="concat(count(key('k', '1')), unparsed-entity-uri('pic'))"/>
    <xsl:text>&#10;</xsl:text>
    <!-- A missing document is reported and gives nothing; the run goes on. -->
    <xsl:value-of select="count(document('missing.xml'))"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
</xsl:stylesheet>
