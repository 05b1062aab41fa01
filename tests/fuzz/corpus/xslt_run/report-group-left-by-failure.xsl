<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" xmlns:s="https://veltrix.dev/xslt/script"
    extension-element-prefixes="r s">
<xsl:output omit-xml-declaration="yes"/>
<!-- A group left by a failure that a try handles is no longer the current
     group: group() after the try gives the enclosing group again. -->
<xsl:template match="/">
  <out>
    <r:group select="d/*" key="name()">
      <r:sort select="name()"/>
      <s:try>
        <s:catch>caught;</s:catch>
        <r:group select="/d/b"><s:call property="nope"/></r:group>
      </s:try>
      <n><xsl:value-of select="count(r:group())"/></n>
    </r:group>
  </out>
</xsl:template>
</xsl:stylesheet>
