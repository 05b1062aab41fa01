#pragma once
// Where XSLT errors are reported. Recoverable errors and warnings are
// reported with severity 1 and processing goes on; fatal errors with severity
// 2, after which the caller throws the exception.
#include <cstdint>

#include "core/Interface.h"
#include "core/Stream.h"

namespace Xslt {

class CXsltException;
class CLocationHandler;

class CErrorHandler : public Core::CInterface {
public:
  enum : int32_t { Recoverable = 1, Fatal = 2 };

  // The location handler (may be null) says where the nodes the exception
  // names stand.
  virtual void Report(int32_t severity, const CXsltException& error, CLocationHandler* locationHandler) = 0;
};

// Prints each report to the error stream: the message line, then one line
// per node the exception names, with the line number and the entity URI when
// the location handler knows the node:
//
//   <message>
//       Stylesheet node '<name>' at line <n>
//           (<stylesheet URI>)
//       Document node '<name>' at line <n>
//           (<document URI>)
//
// The severity does not change the layout. Without an error stream reports
// are dropped.
class CBasicErrorHandler : public CErrorHandler {
public:
  explicit CBasicErrorHandler(Core::IUnicodeStream* errorStream);
  ~CBasicErrorHandler() override;

  void Report(int32_t severity, const CXsltException& error, CLocationHandler* locationHandler) override;

private:
  Core::XInterface<Core::IUnicodeStream> m_errorStream;
};

} // namespace Xslt
