// Times XPath expressions over a generated document of about 21 MB, joins
// (a predicate comparing each x with all y) over documents of 8,000 and
// 80,000 groups of one x and one y, and predicates over siblings: from each
// of 3,000 sibling sections, count(EXPR) for step shapes that test names
// (9 million predicate tests each) or stop at a position, with current()
// the section, as in an XSLT for-each.
//
//   bench_xpath [FILE]
//
// Writes the documents to FILE, FILE.join-8000.xml, FILE.join-80000.xml and
// FILE.sections.xml, with FILE.sections-N.xsl, a stylesheet that does the
// same as the Nth sibling shape (kept, so that other tools can be timed on
// the same input), or to temporary files (removed at the end), parses them
// and evaluates each expression several times, reporting the parse time,
// the best time and the result. Nothing asserts on time.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/String.h"
#include "core/Uri.h"
#include "xml/parser/Sxp.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/Dom.h"
#include "xpath/CommonNodeSet.h"
#include "xpath/Context.h"
#include "xpath/Function.h"
#include "xpath/NodeArray.h"
#include "xpath/Parser.h"
#include "xpath/ValueConverter.h"

namespace {

using Core::XInterface;
using Clock = std::chrono::steady_clock;

// 39000 groups of ten x elements, each with two attributes and two children;
// one x in 97 has a='v'.
std::string Generate() {
  std::string out = "<?xml version=\"1.0\"?>\n<root>\n";
  char buffer[256];
  for (int i = 0; out.size() < 21000000; ++i) {
    std::snprintf(buffer, sizeof buffer, "<g id=\"g%d\">", i);
    out += buffer;
    for (int j = 0; j < 10; ++j) {
      int k = i * 10 + j;
      std::string a = k % 97 == 0 ? "v" : "w" + std::to_string(j % 5);
      std::snprintf(buffer, sizeof buffer, "<x a=\"%s\" b=\"%d\"><n>%d</n><t>text %d of group</t></x>", a.c_str(), j,
                    (i * 7 + j) % 1000, j);
      out += buffer;
    }
    out += "</g>\n";
  }
  out += "</root>\n";
  return out;
}

// n groups of one x and one y, their values scattered: half of the x
// values occur among the y values.
std::string GenerateJoin(int n) {
  std::string out = "<?xml version=\"1.0\"?>\n<root>\n";
  char buffer[128];
  for (long i = 0; i < n; ++i) {
    std::snprintf(buffer, sizeof buffer, "<g><x>k%ld</x><y>k%ld</y></g>\n", i * 7919 % n, i * 104729 % (2L * n));
    out += buffer;
  }
  out += "</root>\n";
  return out;
}

// n sibling sections, each with a title.
std::string GenerateSections(int n) {
  std::string out = "<?xml version=\"1.0\"?>\n<book>\n";
  char buffer[128];
  for (int i = 0; i < n; ++i) {
    std::snprintf(buffer, sizeof buffer, "<section id=\"s%d\"><title>T%d</title></section>\n", i, i);
    out += buffer;
  }
  out += "</book>\n";
  return out;
}

// The shapes evaluated from each section.
const char16_t* const kSiblingShapes[] = {
    u"../section[local-name(.) = 'section']",
    u"../*[self::section]",
    u"../section[local-name() = 'section']",
    u"../section[name(.) = 'section']",
    u"../*[local-name(.) = concat(local-name(current()), 'info')]",
    u"../section[local-name() = 'section'][1]",
    u"../*[local-name(.) = concat(local-name(current()), '')][1]",
    u"../section[true()][last()]",
};

// A stylesheet that writes count(shape) for every section, for timing an
// XSLT processor on the same work.
std::string SiblingStylesheet(const char16_t* shape) {
  std::string select;
  for (char c : Core::ToUtf8(shape)) {
    if (c == '\'') select += "&apos;";
    else select += c;
  }
  return "<xsl:stylesheet version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">\n"
         "<xsl:output method=\"text\"/>\n"
         "<xsl:template match=\"/\"><xsl:for-each select=\"book/section\"><xsl:value-of select=\"count(" +
         select + ")\"/><xsl:text>,</xsl:text></xsl:for-each></xsl:template>\n</xsl:stylesheet>\n";
}

class CVariables : public Xpath::CVariableBindingSet {
public:
  Core::XInterface<Xpath::CValue> GetValue(Core::StringView uri, Core::StringView localName) override {
    return uri.empty() && localName == u"ys" ? ys : nullptr;
  }
  Core::XInterface<Xpath::CValue> ys;
};

class CDataSet : public Xpath::CDataSet {
public:
  bool GetId(const Dom::XNode&, Core::String&) override { return false; }
  Dom::XNode GetElementById(const Dom::XNode&, Core::StringView) override { return nullptr; }
  int32_t CompareDocumentOrder(const Dom::XNode& a, const Dom::XNode& b) override {
    return Dom::CompareDocumentOrder(a.Get(), b.Get());
  }
};

class CImplementation : public Xpath::CXpathImplementation {
public:
  Xpath::CNodeArrayFactory* GetNodeArrayFactory() override { return m_factory.Get(); }
  Xpath::CValueConvertExtension* GetValueConvertExtension() override { return nullptr; }
  Xpath::CValueCompareExtension* GetValueCompareExtension() override { return nullptr; }

private:
  XInterface<Xpath::CNodeArrayFactory> m_factory = new Xpath::CBasicNodeArrayFactory();
};

// The core functions and current(), the node the bench is at, fixed all
// through one evaluation as an XSLT processor's current node is.
class CFunctions : public Xpath::CFunctionLibrary {
public:
  bool HasFunction(Core::StringView uri, Core::StringView name) override {
    return m_core->HasFunction(uri, name) || (uri.empty() && name == u"current");
  }
  XInterface<Xpath::CFunction> GetFunction(Core::StringView uri, Core::StringView name) override {
    if (XInterface<Xpath::CFunction> core = m_core->GetFunction(uri, name)) return core;
    return uri.empty() && name == u"current" ? XInterface<Xpath::CFunction>(new CCurrent(current)) : nullptr;
  }
  EFixedCall GetFixedCall(Core::StringView uri, Core::StringView name) override {
    return uri.empty() && name == u"current" ? FixedNodeSet : Varying;
  }

  Dom::XNode current;

private:
  class CCurrent : public Xpath::CFunction {
  public:
    explicit CCurrent(Dom::XNode node) : m_node(std::move(node)) {}
    XInterface<Xpath::CValue> Evaluate(Xpath::CContext*, const Xpath::CArgumentList&) override {
      return new Xpath::CNodeSetValue(XInterface<Xpath::CNodeSet>(new XpathPrivate::CSingleNodeSet(m_node)));
    }

  private:
    Dom::XNode m_node;
  };
  XInterface<Xpath::CFunctionLibrary> m_core = new Xpath::CCoreFunctionLibrary();
};

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

bool Write(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  bool ok = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (file) std::fclose(file);
  if (!ok) std::fprintf(stderr, "cannot write %s\n", path.c_str());
  return ok;
}

Dom::XNode Parse(BasicXdm::CDocumentFactory& documents, const std::string& path) {
  Clock::time_point start = Clock::now();
  Dom::XNode document = documents.CreateDocument();
  XInterface<XmlParserPrivate::CParserFactory> parsers = new XmlParserPrivate::CParserFactory();
  XInterface<Sxp::IParser> parser = parsers->CreateParser();
  parser->SetDocumentHandler(documents.CreateDocumentHandler(document, nullptr, nullptr));
  Core::String url;
  Uri::FileNameToUrl(Core::FromUtf8(path), url);
  parser->Parse(url);
  std::printf("parse %s: %.3f s\n", path.c_str(), Seconds(start));
  return document;
}

Core::XInterface<Xpath::CValue> Evaluate(Xpath::CContext* context, const char16_t* source) {
  XInterface<Xpath::CExpr> expr;
  XpathPrivate::CParser().Parse(expr, source);
  return expr->Evaluate(context);
}

void Time(Xpath::CContext* context, std::initializer_list<const char16_t*> expressions) {
  for (const char16_t* source : expressions) {
    XInterface<Xpath::CExpr> expr;
    XpathPrivate::CParser().Parse(expr, source);
    double best = 1e9;
    Core::String result;
    for (int run = 0; run < 3; ++run) {
      Clock::time_point start = Clock::now();
      XInterface<Xpath::CValue> value = expr->Evaluate(context);
      result = Xpath::CValueConverter(context).ToString(*value);
      best = std::min(best, Seconds(start));
    }
    std::printf("%8.3f s  %-50s = %s\n", best, Core::ToUtf8(source).c_str(), Core::ToUtf8(result).c_str());
  }
}

// count(shape) from every node the selection gives, each node the context
// and current() of its own evaluation; the sum of the counts is the result.
void TimeEach(Xpath::CContext* top, CFunctions& functions, const Dom::XNode& document, const char16_t* selection,
              const char16_t* shape) {
  XInterface<Xpath::CContext> atDocument = new Xpath::CContext(top, document);
  std::vector<Dom::XNode> nodes;
  XInterface<Xpath::CValue> selected = Evaluate(atDocument.Get(), selection);
  for (XInterface<Xpath::CIterator> it = selected->GetNodeSet()->CreateIterator(); Dom::XNode node = it->GetNode();
       it->Next()) {
    nodes.push_back(node);
  }
  XInterface<Xpath::CExpr> expr;
  XpathPrivate::CParser().Parse(expr, u"count(" + Core::String(shape) + u")");
  double best = 1e9;
  double sum = 0;
  for (int run = 0; run < 3; ++run) {
    Clock::time_point start = Clock::now();
    sum = 0;
    for (const Dom::XNode& node : nodes) {
      functions.current = node;
      XInterface<Xpath::CContext> context = new Xpath::CContext(top, node);
      sum += Xpath::CValueConverter(context.Get()).ToNumber(*expr->Evaluate(context.Get())).GetValue();
    }
    best = std::min(best, Seconds(start));
  }
  functions.current = nullptr;
  std::printf("%8.3f s  %-50s = %.0f\n", best, Core::ToUtf8(shape).c_str(), sum);
}

} // namespace

int main(int argc, char** argv) {
  bool keep = argc > 1;
  std::string path = keep ? argv[1] : "bench_xpath_document.xml";
  const int joinSizes[] = {8000, 80000};
  std::vector<std::string> joinPaths;
  Clock::time_point start = Clock::now();
  if (!Write(path, Generate())) return 1;
  for (int n : joinSizes) {
    joinPaths.push_back(path + ".join-" + std::to_string(n) + ".xml");
    if (!Write(joinPaths.back(), GenerateJoin(n))) return 1;
  }
  std::string sectionsPath = path + ".sections.xml";
  if (!Write(sectionsPath, GenerateSections(3000))) return 1;
  std::vector<std::string> stylesheetPaths;
  if (keep) {
    for (const char16_t* shape : kSiblingShapes) {
      stylesheetPaths.push_back(path + ".sections-" + std::to_string(stylesheetPaths.size() + 1) + ".xsl");
      if (!Write(stylesheetPaths.back(), SiblingStylesheet(shape))) return 1;
    }
  }
  std::printf("documents written in %.3f s\n", Seconds(start));

  try {
    XInterface<BasicXdm::CDocumentFactory> documents = new BasicXdm::CDocumentFactory(1);
    XInterface<CVariables> variables = new CVariables();
    XInterface<CFunctions> functions = new CFunctions();
    XInterface<CDataSet> dataSet = new CDataSet();
    XInterface<CImplementation> implementation = new CImplementation();
    XInterface<Xpath::CContext> top =
        new Xpath::CContext(nullptr, variables.Get(), functions.Get(), nullptr, dataSet.Get(), implementation.Get());

    {
      XInterface<Xpath::CContext> context = new Xpath::CContext(top.Get(), Parse(*documents, path));
      Time(context.Get(), {
                              u"count(//x[@a='v'])",
                              u"count(//*)",
                              u"sum(//n)",
                              u"count(/root/g/x[3]/n)",
                              u"count(//g/x[3])",
                              u"count(//x[1])",
                              u"count(//x/preceding-sibling::*[1])",
                              u"//g[1]/x/n = //g[last()]/x/n",
                              u"//x[@a='v']/n = //x[@a='w1']/n",
                              u"count(//x[@a='v']/following-sibling::x[1])",
                              u"count(/root/g[following-sibling::g])",
                              u"count(/root/g[../g])",
                              u"count(/root/g[not(preceding-sibling::g)])",
                              // positional steps along the 39000 siblings of the root
                              u"count(/root/g/preceding-sibling::g[1])",
                              u"count(/root/g/following-sibling::*[position() < 3])",
                              u"count(/root/g[preceding-sibling::g[1]/@id = 'g7'])",
                          });
    }
    // Joins: the right-hand side is the same for every x and is read once.
    for (const std::string& joinPath : joinPaths) {
      XInterface<Xpath::CContext> context = new Xpath::CContext(top.Get(), Parse(*documents, joinPath));
      variables->ys = Evaluate(context.Get(), u"//y");
      Time(context.Get(), {
                              u"count(//x[. = //y])",
                              u"count(//x[. = /root/g/y])",
                              u"count(//x[//y = .])",
                              u"count(//x[. = $ys])",
                              u"count(//x[. != //y])",
                              u"count(//x[substring(., 2) < count(//y) div 2])",
                              u"count(/root/g[x = //y])",
                          });
      variables->ys = nullptr;
    }
    // Predicates over siblings, from each section.
    Dom::XNode sections = Parse(*documents, sectionsPath);
    for (const char16_t* shape : kSiblingShapes) TimeEach(top.Get(), *functions, sections, u"/book/section", shape);
  } catch (const Core::IException& e) {
    std::fprintf(stderr, "%s\n", Core::ToUtf8(e.GetMessage()).c_str());
    return 1;
  }
  if (!keep) {
    std::remove(path.c_str());
    for (const std::string& joinPath : joinPaths) std::remove(joinPath.c_str());
    std::remove(sectionsPath.c_str());
  }
  return 0;
}
