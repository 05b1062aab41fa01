// Times whole transformations through the processor, parse and output
// included, each in a child process of its own so that its peak memory is
// its own:
//   identity   the identity transform of a generated document of MB megabytes
//   select     the items of that document selected by a predicate and sorted
//   templates  apply-templates over n elements (250000 to 1000000) with
//              several rules, modes and predicates: time should grow linearly
//   dispatch   a stylesheet of 200 rules (a hundred names, each also with a
//              predicate, and a few wildcards) over 500000 elements of a
//              hundred names: a rule is found among the few of its name
//   recursion  a named template calling itself n levels deep (625 to 10000),
//              each level passing on concat($acc, $n mod 97, ','), the last
//              writing $acc: time and memory should grow linearly
//   tokenizer  a named template splitting a string of 20000 tokens, one
//              level per token, with substring-before and substring-after
//
//   bench_transform [MB]      (40 by default)
//
// The files are written to a temporary folder, removed at the end. Nothing
// asserts on time.

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/ChildRun.h"
#include "core/Exception.h"
#include "core/String.h"
#include "xslt/processor/services/BasicXsltImplementation.h"
#include "xslt/processor/services/Processor.h"

namespace {

namespace fs = std::filesystem;

const char* kIdentity =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n"
    "<xsl:template match='@*|node()'><xsl:copy><xsl:apply-templates select='@*|node()'/></xsl:copy></xsl:template>\n"
    "</xsl:stylesheet>\n";

const char* kSelect =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n"
    "<xsl:template match='/'><list><xsl:apply-templates select='catalog/item[@cat = \"c7\" or @price &gt; 900]'>"
    "<xsl:sort select='name'/></xsl:apply-templates></list></xsl:template>\n"
    "<xsl:template match='item'><i id='{@id}'><xsl:value-of select='name'/></i></xsl:template>\n"
    "</xsl:stylesheet>\n";

const char* kTemplates =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n"
    "<xsl:output method='text'/>\n"
    "<xsl:template match='/'><xsl:apply-templates select='r/*'/><xsl:apply-templates select='r/*' mode='m'/>"
    "</xsl:template>\n"
    "<xsl:template match='a[@n mod 2 = 0]'>A</xsl:template>\n"
    "<xsl:template match='a'>a</xsl:template>\n"
    "<xsl:template match='b'><xsl:value-of select='string-length(.)'/></xsl:template>\n"
    "<xsl:template match='c|d|e|f'>x</xsl:template>\n"
    "<xsl:template match='*' mode='m'><xsl:if test='position() mod 1000 = 0'>.</xsl:if></xsl:template>\n"
    "<xsl:template match='a' mode='m' priority='-1'>never</xsl:template>\n"
    "</xsl:stylesheet>\n";

// A hundred names e0..e99, each with a plain rule and one with a predicate,
// and rules by kind that every element must also be weighed against.
std::string DispatchStylesheet() {
  std::string text =
      "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n"
      "<xsl:output method='text'/>\n"
      "<xsl:template match='/'><xsl:apply-templates select='r/*'/></xsl:template>\n"
      "<xsl:template match='*' priority='-2'>?</xsl:template>\n"
      "<xsl:template match='r/*[@k = 3]' priority='-1'>k</xsl:template>\n"
      "<xsl:template match='text()'/>\n";
  for (int i = 0; i < 100; ++i) {
    std::string n = std::to_string(i);
    text += "<xsl:template match='e" + n + "'>" + n + "</xsl:template>\n";
    text += "<xsl:template match='e" + n + "[@k = " + std::to_string(i % 7) + "]'>" + n + "k</xsl:template>\n";
  }
  return text + "</xsl:stylesheet>\n";
}

// The depth is written into the stylesheet, so that no parameter is needed.
std::string RecursionStylesheet(int depth) {
  return "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n"
         "<xsl:output method='text'/>\n"
         "<xsl:template match='/'><xsl:call-template name='build'><xsl:with-param name='n' select='" +
         std::to_string(depth) +
         "'/></xsl:call-template></xsl:template>\n"
         "<xsl:template name='build'><xsl:param name='n'/><xsl:param name='acc' select='\"\"'/>"
         "<xsl:choose><xsl:when test='$n &gt; 0'><xsl:call-template name='build'>"
         "<xsl:with-param name='n' select='$n - 1'/>"
         "<xsl:with-param name='acc' select='concat($acc, $n mod 97, \",\")'/>"
         "</xsl:call-template></xsl:when><xsl:otherwise><xsl:value-of select='$acc'/></xsl:otherwise>"
         "</xsl:choose></xsl:template>\n"
         "</xsl:stylesheet>\n";
}

const char* kTokenizer =
    "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>\n"
    "<xsl:output method='text'/>\n"
    "<xsl:template match='/'><xsl:call-template name='split'><xsl:with-param name='text' select='string(tokens)'/>"
    "</xsl:call-template></xsl:template>\n"
    "<xsl:template name='split'><xsl:param name='text'/><xsl:choose>"
    "<xsl:when test='contains($text, \" \")'><xsl:value-of select='substring-before($text, \" \")'/>"
    "<xsl:text>&#10;</xsl:text><xsl:call-template name='split'>"
    "<xsl:with-param name='text' select='substring-after($text, \" \")'/></xsl:call-template></xsl:when>"
    "<xsl:otherwise><xsl:value-of select='$text'/><xsl:text>&#10;</xsl:text></xsl:otherwise>"
    "</xsl:choose></xsl:template>\n"
    "</xsl:stylesheet>\n";

void WriteTokens(const fs::path& path, int count) {
  std::ofstream out(path, std::ios::binary);
  out << "<tokens>";
  for (int i = 0; i < count; ++i) out << (i ? " " : "") << i % 100;
  out << "</tokens>\n";
}

void WriteNamed(const fs::path& path, int count) {
  std::ofstream out(path, std::ios::binary);
  out << "<r>";
  for (int i = 0; i < count; ++i) out << "<e" << (i * 37) % 100 << " k='" << i % 7 << "'/>";
  out << "</r>\n";
}

void WriteCatalog(const fs::path& path, double megabytes) {
  std::ofstream out(path, std::ios::binary);
  out << "<?xml version='1.0'?>\n<catalog>\n";
  size_t size = 0, target = size_t(megabytes * 1024 * 1024);
  unsigned seed = 1;
  for (int i = 0; size < target; ++i) {
    seed = seed * 1103515245u + 12345u;
    std::string n = std::to_string(i);
    std::string item = "<item id='i" + n + "' cat='c" + std::to_string(i % 37) + "' price='" +
                       std::to_string(seed % 1000) + "." + std::to_string(seed % 97) + "'><name>Item " +
                       std::to_string(seed % 100003) + "</name><desc>Text of item " + n +
                       " with &amp; entity</desc><tags><tag>t" + std::to_string(i % 11) + "</tag><tag>u" +
                       std::to_string(i % 13) + "</tag></tags></item>\n";
    out << item;
    size += item.size();
  }
  out << "</catalog>\n";
}

void WriteFlat(const fs::path& path, int count) {
  std::ofstream out(path, std::ios::binary);
  out << "<r>";
  for (int i = 0; i < count; ++i) {
    if (i % 3) out << "<a n='" << i << "'/>";
    else out << "<b>" << i << "</b>";
  }
  out << "</r>\n";
}

void Write(const fs::path& path, const char* text) { std::ofstream(path, std::ios::binary) << text; }

Core::String Url(const fs::path& path) { return Core::FromUtf8("file://" + path.string()); }

// Runs one transformation in a child; prints its time and peak memory. A
// deep recursion needs more stack than the usual limit gives, so the child
// may raise it (the stack grows up to the limit of the moment).
void Measure(const char* label, const fs::path& document, const fs::path& stylesheet, const fs::path& output,
             rlim_t stack = 0) {
  Bench::CChildRun run = Bench::RunInChild(label, [&] {
    rlimit limit{};
    if (stack && getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < stack) {
      limit.rlim_cur = limit.rlim_max == RLIM_INFINITY || limit.rlim_max >= stack ? stack : limit.rlim_max;
      setrlimit(RLIMIT_STACK, &limit);
    }
    Core::XInterface<Xslt::CBasicXsltImplementation> implementation(new Xslt::CBasicXsltImplementation());
    Core::XInterface<Xslt::CProcessor> processor(new Xslt::CProcessor(implementation.Get()));
    processor->SetSourceUri(Url(document));
    processor->SetStylesheetUri(Url(stylesheet));
    processor->SetOutputUri(Url(output));
    processor->Process();
  });
  if (!run.completed) {
    std::printf("%-24s failed\n", label);
    return;
  }
  std::printf("%-24s %9.3f s %10ld KB peak %9.1f MB out\n", label, run.seconds, run.peakKilobytes,
              double(fs::file_size(output)) / (1024 * 1024));
  std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
  double megabytes = argc > 1 ? std::atof(argv[1]) : 40;
  fs::path folder = fs::temp_directory_path() / ("kelto-bench-transform-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  WriteCatalog(folder / "catalog.xml", megabytes);
  Write(folder / "identity.xsl", kIdentity);
  Write(folder / "select.xsl", kSelect);
  Write(folder / "templates.xsl", kTemplates);
  Write(folder / "dispatch.xsl", DispatchStylesheet().c_str());
  std::printf("catalog of %.1f MB\n", double(fs::file_size(folder / "catalog.xml")) / (1024 * 1024));
  Measure("identity", folder / "catalog.xml", folder / "identity.xsl", folder / "out.xml");
  Measure("select and sort", folder / "catalog.xml", folder / "select.xsl", folder / "out.xml");
  for (int count : {250000, 500000, 1000000}) {
    WriteFlat(folder / "flat.xml", count);
    std::string label = "templates " + std::to_string(count);
    Measure(label.c_str(), folder / "flat.xml", folder / "templates.xsl", folder / "out.txt");
  }
  WriteNamed(folder / "named.xml", 500000);
  Measure("dispatch 500000", folder / "named.xml", folder / "dispatch.xsl", folder / "out.txt");
  Write(folder / "empty.xml", "<r/>\n");
  const rlim_t kDeepStack = rlim_t(64) << 20;
  for (int depth : {625, 2500, 5000, 10000}) {
    Write(folder / "recursion.xsl", RecursionStylesheet(depth).c_str());
    std::string label = "recursion " + std::to_string(depth);
    Measure(label.c_str(), folder / "empty.xml", folder / "recursion.xsl", folder / "out.txt", kDeepStack);
  }
  WriteTokens(folder / "tokens.xml", 20000);
  Write(folder / "tokenizer.xsl", kTokenizer);
  Measure("tokenizer 20000", folder / "tokens.xml", folder / "tokenizer.xsl", folder / "out.txt", kDeepStack);
  fs::remove_all(folder);
  return 0;
}
