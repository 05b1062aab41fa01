<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
<!-- A failed run leaves what it had written under the result's name, over
     an existing file the run did not read. -->
<xsl:output method="text"/>
<xsl:template match="/"><xsl:message terminate="yes">stopped</xsl:message></xsl:template>
</xsl:stylesheet>
