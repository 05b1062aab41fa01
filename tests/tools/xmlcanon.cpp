// Parses a document with kelto's parser and tree builder and writes it in
// the canonical form of the XML conformance tests, for comparison with
// their expected output.
//   xmlcanon FILE          canonical form on standard output
//   xmlcanon --count FILE  the number of nodes of the tree (parse and build only)
// A document that is not well formed: the error on standard error, exit 1.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/String.h"
#include "core/Uri.h"
#include "tests/tools/XmlCanon.h"

namespace {

int Usage() {
  fprintf(stderr, "usage: xmlcanon [--count] FILE\n");
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  bool count = false;
  int arg = 1;
  if (arg < argc && std::string_view(argv[arg]) == "--count") {
    count = true;
    ++arg;
  }
  if (arg + 1 != argc) return Usage();
  Core::String file = Core::FromUtf8(argv[arg]);
  Core::String url;
  if (file.starts_with(u"file:")) {
    url = file;
  } else if (!Uri::FileNameToUrl(file, url)) {
    url = file;  // the parser reports it cannot access it
  }

  std::string error;
  int status = XmlCanon::Canonicalise(
      url, count, [](std::string_view s) { fwrite(s.data(), 1, s.size(), stdout); }, error);
  if (status != 0) fprintf(stderr, "%s: %s\n", argv[arg], error.c_str());
  return status;
}
