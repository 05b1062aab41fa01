<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:t="urn:kelto:test" extension-element-prefixes="t">
<xsl:output omit-xml-declaration="yes"/>
<!-- The block of t:head runs once, the rest once per pass, each pass in a
     scope of its own; t:each makes the node set the current node list. -->
<xsl:template match="/">
  <t:element name="out">
    <t:repeat times="2">
      <t:head><t:element name="head"/></t:head>
      <xsl:variable name="pass" select="'p'"/>
      <t:element name="pass"><t:value select="$pass"/></t:element>
    </t:repeat>
    <t:each select="list/item">
      <t:element name="item">
        <t:value select="concat(position(), '/', last(), '/', t:count(), ':', .)"/>
      </t:element>
    </t:each>
    <t:repeat times="0"><t:element name="never"/></t:repeat>
    <t:empty/>
    <t:nothing/>
  </t:element>
</xsl:template>
</xsl:stylesheet>
