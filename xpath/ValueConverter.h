#pragma once
// The XPath 1.0 conversions boolean(), number() and string() of any value.
// The four XPath types are converted here; every other type code goes to the
// host's conversion extension through the context.
#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Context.h"
#include "xpath/Number.h"
#include "xpath/Value.h"

namespace Xpath {

class CValueConverter {
public:
  // The context is needed only for extension types; it may be null when
  // none can occur.
  explicit CValueConverter(CContext* context) : m_context(context) {}

  bool ToBoolean(const CValue& value) const;
  CNumber ToNumber(const CValue& value) const;
  Core::String ToString(const CValue& value) const;
  // string() without a copy where the text already exists: a string value's
  // own, a text or attribute node's value; anything else is converted into
  // scratch. The view lives as long as the value and scratch.
  Core::StringView ToStringView(const CValue& value, Core::String& scratch) const;

  // number() of a text: NaN when it is not a number.
  static CNumber StringToNumber(Core::StringView text);
  // The XPath string-value of a node.
  static Core::String NodeToString(const Dom::XNode& node);

private:
  Core::XInterface<CContext> m_context;
};

} // namespace Xpath
