<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- An inner try handled a recorded failure; the outer try must not take
     that record for a later failure that was never recorded (naming an object
     that does not exist): the run stops, and the outer try reports the
     failure again. -->
<xsl:template match="/">
  <out>
    <s:try>
      <s:catch>swallowed</s:catch>
      <s:try>
        <s:catch>inner</s:catch>
        <s:call property="nope"/>
      </s:try>
      <s:get object="'undeclared'" property="x"/>
    </s:try>
  </out>
</xsl:template>
</xsl:stylesheet>
