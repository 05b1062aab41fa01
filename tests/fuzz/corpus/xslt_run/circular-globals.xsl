<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:variable name="a" select="$b"/>
  <xsl:variable name="b" select="concat($a, 'x')"/>
</xsl:stylesheet>
