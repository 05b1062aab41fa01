<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- try runs its catch children for a failure the package recorded in its
     body; error() gives the recorded message, also in another template,
     until the next try starts. The failures' reports stay on standard error. -->
<xsl:output omit-xml-declaration="yes"/>
<xsl:template match="/">
  <s:import href="try.js"/>
  <out>
    <before>[<xsl:value-of select="s:error()"/>]</before>
    <element>
      <s:try>
        <s:catch><xsl:value-of select="s:error()"/></s:catch>
        <s:call object="'plain'" property="nope"/>
        <never/>
      </s:try>
    </element>
    <function>
      <s:try>
        <s:catch>caught </s:catch>
        <s:catch><xsl:value-of select="s:error()"/></s:catch>
        <xsl:value-of select="s:call('plain', 'x')"/>
      </s:try>
    </function>
    <no-catch><s:try><s:call property="fail"/></s:try>on</no-catch>
    <script><xsl:value-of select="substring-before(s:error(), '&#10;')"/></script>
    <where><xsl:value-of select="substring-after(substring-after(s:error(), '&#10;'), '&#10;')"/></where>
    <xsl:call-template name="elsewhere"/>
    <nested>
      <s:try>
        <s:catch>outer: <xsl:value-of select="s:error()"/></s:catch>
        <s:try>
          <s:catch>inner; </s:catch>
          <s:call property="nope"/>
        </s:try>
        <s:get object="'plain'" property="x"/>
        <xsl:value-of select="s:call('plain', 'x')"/>
      </s:try>
    </nested>
    <s:try/>
    <cleared>[<xsl:value-of select="s:error()"/>]</cleared>
  </out>
</xsl:template>
<xsl:template name="elsewhere">
  <elsewhere><xsl:value-of select="substring-before(s:error(), '&#10;')"/></elsewhere>
</xsl:template>
</xsl:stylesheet>
