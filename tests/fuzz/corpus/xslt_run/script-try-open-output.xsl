<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- A failure that a try handles may leave result nodes open that its body
     started: elements, an attribute, a comment. They end where the failure
     happened, with what they had, and the catch children write after them;
     in a variable's fragment the same. -->
<xsl:output omit-xml-declaration="yes"/>
<xsl:template match="/">
  <out>
    <s:try>
      <s:catch>caught</s:catch>
      <wrapper><inner a="1">text<s:call property="nope"/>never</inner></wrapper>
    </s:try>
    <attribute>
      <s:try>
        <s:catch><xsl:attribute name="late">no</xsl:attribute>caught</s:catch>
        <xsl:attribute name="a">part<s:call property="nope"/></xsl:attribute>
      </s:try>
    </attribute>
    <s:try>
      <s:catch>caught</s:catch>
      <xsl:comment>part<s:call property="nope"/></xsl:comment>
    </s:try>
    <xsl:variable name="fragment">
      <s:try>
        <s:catch>caught</s:catch>
        <w><s:call property="nope"/></w>
      </s:try>
    </xsl:variable>
    <fragment><xsl:copy-of select="$fragment"/></fragment>
    <after/>
  </out>
</xsl:template>
</xsl:stylesheet>
