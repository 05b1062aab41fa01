<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<xsl:output omit-xml-declaration="yes"/>
<!-- Counters belong to the content list that holds their defining element:
     increments made in a loop reach the counter of the enclosing body, a
     counter defined in the loop body is new in every pass, and an inner
     definition hides the outer one until its content list ends. -->
<xsl:template match="/">
  <out>
    <r:counter name="total" initialize="0"/>
    <zero><r:counter name="total"/></zero>
    <xsl:for-each select="list/item">
      <r:counter name="total" increment="1"/>
      <r:counter name="each" initialize="position() * 10"/>
      <r:counter name="each" increment="."/>
      <each><r:counter name="each"/></each>
    </xsl:for-each>
    <count><r:counter name="total"/></count>
    <arithmetic><xsl:value-of select="r:counter('total') * 2 + 1"/></arithmetic>
    <half><r:counter name="h" initialize="2.5"/><r:counter name="h"/></half>
    <r:counter name="n" initialize="'abc'"/>
    <r:counter name="n" increment="1"/>
    <nan><r:counter name="n"/></nan>
    <r:counter name="123" initialize="5"/>
    <digits><xsl:value-of select="r:counter(123)"/></digits>
    <r:counter name="s" initialize="1"/>
    <xsl:if test="true()">
      <r:counter name="s" initialize="100"/>
      <r:counter name="s" increment="1"/>
      <inner><r:counter name="s"/></inner>
    </xsl:if>
    <r:counter name="s" increment="1"/>
    <outer><r:counter name="s"/></outer>
    <xsl:apply-templates select="list/item"/>
  </out>
</xsl:template>
<!-- One definition per instantiation: applied to many nodes, no duplicate. -->
<xsl:template match="item">
  <r:counter name="t" initialize="string-length(.)"/>
  <t><r:counter name="t"/></t>
</xsl:template>
</xsl:stylesheet>
