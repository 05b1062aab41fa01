#pragma once
// The functions of the text-input package. The source id, when given, is
// the last argument; without it the source of a read element without
// source-id is meant.
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace XsltTextInput {

// field-count([source id]): the number of fields of the source.
class CFieldCountFunction : public Xslt::CExtensionFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override;
};

// field-name(index [, source id]): the name of a field, counted from 1.
class CFieldNameFunction : public Xslt::CExtensionFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override;
};

// field-value(index or name [, source id]): a field of the current record;
// a number picks it by position, any other value by name.
class CFieldValueFunction : public Xslt::CExtensionFunction {
public:
  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext* context, Xpath::CContext* xpathContext,
                                           const Xpath::CArgumentList& arguments) override;
};

} // namespace XsltTextInput
