#include "xslt/processor/output/OutputException.h"

namespace XsltPrivate {

namespace {

const Core::CMessageItem kMessages[] = {
    {0, u"Misplaced attribute: '%s', '%s'"},
    {1, u"Misplaced comment"},
    {2, u"Misplaced processing instruction: '%s'"},
    {3, u"Default namespace not allowed"},
    {-1, u"Unclassified output exception"},
};

} // namespace

COutputException::COutputException(int32_t code, Core::String arg1, Core::String arg2)
    : XmlWriter::CWriterException(kMessages, code, std::move(arg1), std::move(arg2)) {}

} // namespace XsltPrivate
