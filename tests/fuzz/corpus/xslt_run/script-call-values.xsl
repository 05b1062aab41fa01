<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="https://veltrix.dev/xslt/script" extension-element-prefixes="s">
<!-- Values through call() and get(): XPath numbers, strings and booleans
     reach the script as its own; String, Boolean, Number and Date objects come
     back as their primitive values; other objects travel as script object
     values, which answer false, 0 and '' to XPath (in conversions and in
     comparisons with node sets) and reach a script again as the same object. -->
<xsl:output method="text" encoding="UTF-8"/>
<xsl:variable name="nl" select="'&#10;'"/>
<xsl:template match="/">
  <s:import href="values.js"/>
  <xsl:variable name="made" select="s:call('', 'make')"/>
  <xsl:value-of select="concat(s:call('', 'add', 2, 3), '|', s:call('', 'add', 0.5, 0.25), '|',
      s:call('', 'add', 'a', 'b'), '|', s:call('', 'add', 1, true()), $nl)"/>
  <xsl:value-of select="concat(s:call('', 'typeName', true()), ' ', s:call('', 'typeName', 1), ' ',
      s:call('', 'typeName', 's'), ' ', s:call('', 'typeName', $made), ' ',
      s:call('', 'typeName', s:get('', 'add')), $nl)"/>
  <xsl:value-of select="concat(s:call('Math', 'max', 2, 7), '|', s:call('Math', 'max', 2, 7) + 1, '|[',
      s:call('', 'nothing'), ']|', s:call('', 'thisName'), $nl)"/>
  <xsl:value-of select="concat(s:get('', 'five'), '|', s:call('five', 'toString', 10) + 1, '|', s:get('obj', 'x'), '|',
      s:get('obj', 'label'), '|[', s:get('obj', 'missing'), ']', $nl)"/>
  <xsl:value-of select="concat(s:get($made, 'x'), '|', s:get(s:call('', 'make'), 'label'), '|',
      s:call('', 'isMade', $made), '|', s:call('', 'isMade', s:get('', 'obj')), $nl)"/>
  <xsl:value-of select="concat(s:get('', 'when'), '|', s:get('', 'when') div 1000, '|', s:get('', 'wrapped'), '|',
      s:get('', 'flag') = false(), $nl)"/>
  <xsl:value-of select="concat(boolean($made), ' ', number($made), ' [', string($made), '] ', $made = '', ' ',
      $made = 0, ' ', not($made), $nl)"/>
  <xsl:value-of select="concat(doc/n = $made, ' ', doc/n != $made, ' ', doc/n > $made, ' ', $made > doc/n)"/>
</xsl:template>
</xsl:stylesheet>
