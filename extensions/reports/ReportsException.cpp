#include "extensions/reports/ReportsException.h"

namespace XsltReports {

namespace {

const Core::CMessageItem kReportsMessages[] = {
    {CXsltReportsException::InvalidAttributeCombination, u"Invalid attribute combination: '%s' and '%s'"},
    {CXsltReportsException::InvalidComputedAttributeValue, u"Invalid computed attribute value: %s - '%s'"},
    {CXsltReportsException::InvalidSelectionResultType, u"Invalid selection result type"},
    {CXsltReportsException::InvalidGroupAttributes, u"Invalid group attributes"},
    {CXsltReportsException::InvalidNumberOfArguments, u"Invalid number of arguments, function '%s'"},
    {-1, u"Unclassified Reports XSLT exception"},
};

} // namespace

// Both texts always fill the template: one not given is empty, not "?".
CXsltReportsException::CXsltReportsException(int32_t code, Core::String text1, Core::String text2)
    : Core::CCodedException(kReportsMessages, code, 2, std::move(text1), std::move(text2)) {}

} // namespace XsltReports

namespace XsltReportsPrivate {

namespace {

const Core::CMessageItem kCounterMessages[] = {
    {CCounterTableException::UndefinedCounterName, u"Undefined counter name: %s"},
    {CCounterTableException::DuplicateCounterName, u"Duplicate counter name: %s"},
    {-1, u"Unclassified counter table exception"},
};

} // namespace

CCounterTableException::CCounterTableException(int32_t code, Core::String name)
    : Core::CCodedException(kCounterMessages, code, 1, std::move(name)) {}

} // namespace XsltReportsPrivate
