<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="text"/>
  <xsl:key name="w" match="w" use="@id"/>
  <!-- Every call for one URL, from any template and any iteration, gives the
       same nodes: identifiers agree and unions hold each node once. -->
  <xsl:template match="/">
    <!-- Loaded by an instruction whose scope ends before the others run. -->
    <xsl:variable name="first">
      <xsl:call-template name="second-word"/>
    </xsl:variable>
    <xsl:for-each select="doc/n">
      <xsl:apply-templates select=".">
        <xsl:with-param name="first" select="$first"/>
      </xsl:apply-templates>
    </xsl:for-each>
    <xsl:value-of select="count(document('words.xml') | document(doc/n/@ref) | document('words.xml', /))"/>
    <xsl:text>&#10;</xsl:text>
    <xsl:value-of select="count(document(doc/n/@ref)//w)"/>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
  <xsl:template name="second-word">
    <xsl:value-of select="generate-id(document('words.xml')/words/w[2])"/>
  </xsl:template>
  <xsl:template match="n">
    <xsl:param name="first"/>
    <xsl:variable name="here" select="document(@ref)/words/w[2]"/>
    <xsl:value-of select="generate-id($here) = $first"/>
    <xsl:text> </xsl:text>
    <xsl:for-each select="$here">
      <xsl:value-of select="generate-id(key('w', 'b')) = $first"/>
    </xsl:for-each>
    <xsl:text>&#10;</xsl:text>
  </xsl:template>
</xsl:stylesheet>
