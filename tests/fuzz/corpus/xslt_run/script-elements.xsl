<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- The elements get, put, delete, call with with-param and while. A call
     or while element starts from an empty argument list; a while converts its
     arguments once and gives every pass a variable scope of its own. An
     object result writes nothing. -->
<xsl:output omit-xml-declaration="yes"/>
<xsl:template match="/">
  <s:import href="elements.js"/>
  <out>
    <get><s:get object="'box'" property="size"/></get>
    <put><s:put object="'box'" property="size" value="7"/><s:get object="'box'" property="{concat('si', 'ze')}"/></put>
    <put-global><s:put property="fresh" value="concat('ne', 'w')"/><s:get property="fresh"/></put-global>
    <delete><s:delete object="'box'" property="size"/>[<s:get object="'box'" property="size"/>]</delete>
    <delete-missing><s:delete object="'box'" property="never"/>ok</delete-missing>
    <call><s:call property="pair"><s:with-param value="'a'"/><s:with-param value="2"/></s:call></call>
    <stray><s:with-param value="99"/><s:call property="count"/></stray>
    <object>[<s:get property="box"/>][<s:call property="makeBox"/>]</object>
    <while><s:while property="step"><pass at="{s:get('', 'at')}"/></s:while></while>
    <once>
      <s:while property="below">
        <s:with-param value="s:get('', 'limit')"/>
        <xsl:variable name="v" select="s:call('', 'bump')"/>
        <i><xsl:value-of select="$v"/></i>
      </s:while>
    </once>
  </out>
</xsl:template>
</xsl:stylesheet>
