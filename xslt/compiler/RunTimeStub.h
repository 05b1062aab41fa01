#pragma once
// Until the run-time context exists, the run-time bodies of compiled
// stylesheet objects raise this error: unsupported feature "running" with
// the object's name. Each *Execute.cpp file that calls it is replaced whole
// when the run-time context lands.
#include "core/String.h"
#include "xslt/processor/XsltException.h"

namespace XsltPrivate {

[[noreturn]] inline void ThrowNotRunnable(const char16_t* what) {
  throw Xslt::CXsltException(Xslt::CXsltException::UnsupportedFeature, u"running", what);
}

} // namespace XsltPrivate
