#include "xml/writer/WriterException.h"

namespace XmlWriter {

const Core::CMessageItem g_writerMessages[] = {
    {0, u"Unsupported output method: '%s', '%s'"},
    {1, u"Unsupported encoding: '%s'"},
    {2, u"Invalid version number syntax: '%s'"},
    {3, u"Invalid encoding name syntax: '%s'"},
    {4, u"Invalid surrogate pair"},
    {5, u"Unsupported character: '%s'"},
    {7, u"Cannot write the output stream"},
    {-1, u"Unclassified output exception"},
};

} // namespace XmlWriter
