<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<xsl:output omit-xml-declaration="yes"/>
<!-- A group without select regroups the members of the enclosing group,
     sorted again by its own sort children. Inside it, group(), position()
     and last() are its own; after it they are the outer group's again. A
     counter defined in the outer content is new for each group and counts
     the inner groups. -->
<xsl:template match="/">
  <out>
    <r:group select="orders/o" key="@cust">
      <r:sort select="@cust"/>
      <r:counter name="years" initialize="0"/>
      <cust name="{@cust}" pos="{position()}">
        <r:group key="@year">
          <r:sort select="@year" data-type="number" order="descending"/>
          <r:counter name="years" increment="1"/>
          <y year="{@year}" pos="{position()}" of="{last()}" sum="{sum(r:group()/@amt)}"/>
        </r:group>
        <n><xsl:value-of select="count(r:group())"/></n>
        <years><r:counter name="years"/></years>
      </cust>
    </r:group>
  </out>
</xsl:template>
</xsl:stylesheet>
