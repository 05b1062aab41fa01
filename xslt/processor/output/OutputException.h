#pragma once
// Events the output element stack refuses. The run-time context reports
// them as an output error of the run.
#include "xml/writer/WriterException.h"

namespace XsltPrivate {

class COutputException : public XmlWriter::CWriterException {
public:
  enum : int32_t {
    kMisplacedAttribute = 0,             // qualified name, namespace URI
    kMisplacedComment = 1,               //
    kMisplacedProcessingInstruction = 2, // target
    kDefaultNamespace = 3,               //
  };

  explicit COutputException(int32_t code, Core::String arg1 = {}, Core::String arg2 = {});
};

} // namespace XsltPrivate
