<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:m="urn:m" exclude-result-prefixes="m">
  <!-- Index entries worked out node by node, each with the node as
       current(): one key's use looks another key up (its index is built
       inside the first one's) and reads a document on the way. -->
  <xsl:output method="text"/>
  <m:names><m:n id="a">alpha</m:n><m:n id="b">beta</m:n></m:names>
  <xsl:key name="kind" match="item" use="@kind"/>
  <xsl:key name="named" match="item"
           use="concat(document('')/*/m:names/m:n[@id = current()/@kind], '-', count(key('kind', current()/@kind)))"/>
  <xsl:template match="/">
    <xsl:for-each select="r/item">
      <xsl:value-of select="concat(@n, ':', count(key('named', concat(document('')/*/m:names/m:n[@id = current()/@kind], '-', count(key('kind', current()/@kind))))), ' ')"/>
    </xsl:for-each>
    <xsl:value-of select="count(key('named', 'alpha-2'))"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
</xsl:stylesheet>
