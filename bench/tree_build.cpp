// Times the tree builder on a generated document of about 40 MB of markup,
// fed as the parser would feed it, and reports the memory of the tree.
//   bench_tree_build [megabytes]
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/String.h"
#include "xml/tree/DocumentFactory.h"
#include "xml/tree/DocumentStore.h"
#include "xml/tree/Dom.h"

namespace {

enum EKind { START, END, ATTR, TEXT };
struct CEvent {
  EKind kind;
  size_t offset, length;  // into the string pool
  size_t valueOffset, valueLength;
};

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
  double megabytes = argc > 1 ? std::atof(argv[1]) : 40.0;
  Core::String pool;
  std::vector<CEvent> events;
  size_t markupBytes = 0;
  auto add = [&](const Core::String& s) {
    size_t at = pool.size();
    pool += s;
    return at;
  };
  size_t nCatalog = add(u"catalog"), nItem = add(u"item"), nTitle = add(u"title"), nPrice = add(u"price"),
         nDesc = add(u"desc"), nId = add(u"id"), nType = add(u"type"), vBook = add(u"book"),
         ws = add(u"\n  "), desc = add(u"A short description of the item, with some words in it.");
  events.push_back({START, nCatalog, 7, 0, 0});
  markupBytes += 10;
  for (int i = 0; markupBytes < megabytes * 1e6; ++i) {
    std::string n = std::to_string(i);
    size_t id = add(Core::FromUtf8(n));
    size_t title = add(u"Title " + Core::FromUtf8(n));
    events.push_back({TEXT, ws, 3, 0, 0});
    events.push_back({START, nItem, 4, 0, 0});
    events.push_back({ATTR, nId, 2, id, n.size()});
    events.push_back({ATTR, nType, 4, vBook, 4});
    events.push_back({START, nTitle, 5, 0, 0});
    events.push_back({TEXT, title, 6 + n.size(), 0, 0});
    events.push_back({END, 0, 0, 0, 0});
    events.push_back({START, nPrice, 5, 0, 0});
    events.push_back({TEXT, id, n.size(), 0, 0});
    events.push_back({END, 0, 0, 0, 0});
    events.push_back({START, nDesc, 4, 0, 0});
    events.push_back({TEXT, desc, 56, 0, 0});
    events.push_back({END, 0, 0, 0, 0});
    events.push_back({END, 0, 0, 0, 0});
    // <item id="N" type="book"><title>Title N</title><price>N</price><desc>...</desc></item> and the indent
    markupBytes += 3 + 26 + n.size() + 21 + n.size() + 15 + n.size() + 21 + 56 + 7;
  }
  events.push_back({END, 0, 0, 0, 0});
  long rssBefore = PeakRssKb();

  Core::XInterface<BasicXdm::CDocumentFactory> factory(new BasicXdm::CDocumentFactory(1));
  auto t0 = std::chrono::steady_clock::now();
  Dom::XNode doc = factory->CreateDocument();
  {
    auto builder = factory->CreateDocumentHandler(doc, nullptr, nullptr);
    builder->StartDocument();
    for (const CEvent& e : events) {
      switch (e.kind) {
        case START:
          builder->StartElement(Core::StringView(pool).substr(e.offset, e.length));
          break;
        case END:
          builder->EndElement();
          break;
        case ATTR:
          builder->StartAttribute(Core::StringView(pool).substr(e.offset, e.length));
          builder->Characters(pool.data() + e.valueOffset, int32_t(e.valueLength));
          builder->EndAttribute();
          break;
        case TEXT:
          builder->Characters(pool.data() + e.offset, int32_t(e.length));
          break;
      }
    }
    builder->EndDocument();
  }
  auto t1 = std::chrono::steady_clock::now();
  auto* store = static_cast<Dom::CDocumentNode*>(doc.Get())->store;
  size_t treeBytes = store->nodeBlocks.size() * store->nodeBlockSize + store->textBlocks.size() * store->textBlockSize * 2;

  // Walk the whole tree and take the string value of the root.
  auto t2 = std::chrono::steady_clock::now();
  size_t nodes = 0;
  for (Dom::CNode* n = doc.Get(); n;) {
    ++nodes;
    nodes += size_t(n->AttributeCount());
    if (Dom::CNode* c = n->FirstChild()) {
      n = c;
      continue;
    }
    while (n && !n->NextSibling()) n = n->Parent();
    n = n ? n->NextSibling() : nullptr;
  }
  size_t valueLength = doc->GetStringValue().size();
  auto t3 = std::chrono::steady_clock::now();

  auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
  std::printf("markup %.1f MB, %zu events, %zu nodes\n", markupBytes / 1e6, events.size(), nodes);
  std::printf("build %.1f ms (%.0f MB/s of markup)\n", ms(t0, t1), markupBytes / 1e6 / (ms(t0, t1) / 1000));
  std::printf("tree blocks %.1f MB (%.2fx the markup), peak RSS growth %.1f MB\n", treeBytes / 1e6,
              double(treeBytes) / double(markupBytes), (PeakRssKb() - rssBefore) / 1e3);
  std::printf("walk + string value (%zu units) %.1f ms\n", valueLength, ms(t2, t3));
  return 0;
}
