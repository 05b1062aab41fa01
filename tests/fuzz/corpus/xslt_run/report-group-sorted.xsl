<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:r="https://veltrix.dev/xslt/reports" extension-element-prefixes="r">
<xsl:output omit-xml-declaration="yes"/>
<!-- Groups are the runs of neighbours with equal keys in sorted order. In a
     group the context node is its first member, position() its number and
     last() the number of groups; group() gives its members. -->
<xsl:template match="/data">
  <out>
    <xsl:text>&#10;</xsl:text>
    <r:group select="sales/sale" key="@region">
      <r:sort select="@region"/>
      <region name="{@region}" pos="{position()}" of="{last()}" first="{@id}">
        <xsl:for-each select="r:group()"><xsl:value-of select="@id"/>;</xsl:for-each>
        <total><xsl:value-of select="sum(r:group()/@amount)"/></total>
      </region>
      <xsl:text>&#10;</xsl:text>
    </r:group>
    <!-- Unsorted: keys a, a, b, a make three groups; arguments of group()
         are ignored. -->
    <r:group select="codes/c" key="@k">
      <g k="{@k}" n="{count(r:group(1, 'x'))}"/>
    </r:group>
    <xsl:text>&#10;</xsl:text>
    <!-- No key: every member is a group; ties keep their input order under
         a descending key. -->
    <r:group select="codes/c">
      <r:sort select="@k" order="descending"/>
      <xsl:value-of select="concat(@i, ':', position(), '/', last(), ' ')"/>
    </r:group>
    <xsl:text>&#10;</xsl:text>
    <empty><r:group select="nothing"><x/></r:group></empty>
  </out>
</xsl:template>
</xsl:stylesheet>
