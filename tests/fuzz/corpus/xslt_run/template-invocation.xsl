<?xml version="1.0"?>
<!-- xsl:apply-templates with select, mode, with-param (evaluated once, the
     first of one name winning) and the built-in rules; xsl:call-template
     keeping the current node; xsl:apply-imports in the template's mode,
     whose built-in rules start again from the principal stylesheet. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:import href="imported.xsl"/>
  <xsl:template match="/">
    <out>
      <all><xsl:apply-templates select="doc/node()"/></all>
      <moded><xsl:apply-templates select="doc/a" mode="m"><xsl:with-param name="p" select="'first'"/><xsl:with-param name="p" select="'second'"/></xsl:apply-templates></moded>
      <none><xsl:apply-templates select="doc/missing"><xsl:with-param name="p" select="document('no-such-file.xml')"/></xsl:apply-templates></none>
      <default-select><xsl:apply-templates select="doc/a[1]" mode="children"/></default-select>
    </out>
  </xsl:template>
  <xsl:template match="a">
    <a id="{@id}"><xsl:call-template name="here"/></a>
  </xsl:template>
  <xsl:template match="a" mode="m">
    <xsl:param name="p" select="'none'"/>
    <local-a p="{$p}"><xsl:apply-imports/></local-a>
  </xsl:template>
  <xsl:template match="b"><local-b/></xsl:template>
  <xsl:template match="a" mode="children"><xsl:apply-templates mode="children"/></xsl:template>
  <xsl:template match="b" mode="children">[<xsl:value-of select="."/>]</xsl:template>
  <xsl:template name="here">
    <here name="{name()}" position="{position()}" last="{last()}"/>
  </xsl:template>
</xsl:stylesheet>
