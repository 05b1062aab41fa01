<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>
  <xsl:param name="title" select="'Catalog'"/>
  <xsl:template match="/">
    <html>
      <head><title><xsl:value-of select="$title"/></title></head>
      <body>
        <h1><xsl:value-of select="$title"/></h1>
        <table>
          <xsl:for-each select="catalog/book">
            <xsl:sort select="@year" data-type="number"/>
            <tr>
              <td><xsl:value-of select="@year"/></td>
              <td><xsl:value-of select="title"/></td>
              <td><xsl:value-of select="price"/></td>
            </tr>
          </xsl:for-each>
        </table>
        <p>Total: <xsl:value-of select="round(sum(catalog/book/price) * 100) div 100"/></p>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
