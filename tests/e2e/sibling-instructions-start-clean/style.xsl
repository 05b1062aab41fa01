<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <!-- What one instruction of a list does to its own scope (text only
       while building an attribute or a comment, documents and lazy values
       kept for a variable) never reaches the instructions after it. -->
  <xsl:output method="xml" omit-xml-declaration="yes"/>
  <xsl:template match="/">
    <out>
      <xsl:attribute name="a">x</xsl:attribute>
      <e/>
      <xsl:comment>c</xsl:comment>
      <f><xsl:attribute name="b">y</xsl:attribute></f>
      <xsl:variable name="doc" select="document('')/*/xsl:template/@match"/>
      <xsl:variable name="later" select="r/i[position() &gt; 1]"/>
      <xsl:choose>
        <xsl:when test="false()"><no/></xsl:when>
        <xsl:when test="$later"><g n="{count($later)}"/></xsl:when>
        <xsl:otherwise><no/></xsl:otherwise>
      </xsl:choose>
      <xsl:processing-instruction name="p">q</xsl:processing-instruction>
      <h m="{$doc}" l="{$later[last()]/@n}"/>
      <xsl:for-each select="r/i">
        <xsl:variable name="n" select="@n"/>
        <i><xsl:value-of select="$n"/></i>
      </xsl:for-each>
    </out>
  </xsl:template>
</xsl:stylesheet>
