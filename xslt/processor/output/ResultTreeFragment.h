#pragma once
// The XPath value of a result tree fragment: the recorded events of the
// content that made it. Its accessors answer as the base value does; the
// run's XPath implementation gives it its conversions.
#include "xpath/Value.h"
#include "xslt/processor/output/EventRecording.h"

namespace XsltPrivate {

class CResultTreeFragmentValue : public Xpath::CValue {
public:
  int32_t GetType() const override { return ResultTreeFragmentType; }

  CEventRecording& GetRecording() { return m_recording; }
  const CEventRecording& GetRecording() const { return m_recording; }

  // The fragment a value is, or null for a value of any other kind (another
  // class that claims the type code included).
  static const CResultTreeFragmentValue* From(const Xpath::CValue& value) {
    if (value.GetType() != ResultTreeFragmentType) return nullptr;
    return dynamic_cast<const CResultTreeFragmentValue*>(&value);
  }

private:
  CEventRecording m_recording;
};

} // namespace XsltPrivate
