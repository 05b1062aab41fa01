#pragma once
// The output/ folder: the result side of a run: result events, output handlers, result tree fragments.
//
// The result-tree writer of a run. Instructions send instruction-level events
// (start and end of elements, attributes, namespace nodes and comments;
// characters; processing instructions) and the stack turns them into the
// finished events of an output handler: it keeps the newest start tag open
// until its content begins, so attributes and namespace nodes can still join
// it; collects the text of attributes, namespace nodes and comments; chooses
// every prefix from the bindings in scope, declaring or generating prefixes
// where needed; tracks xml:space; and marks CDATA-section elements.
//
// A stack made over an event recording only records the events, unprocessed;
// everything above happens when the recording is replayed into a writing stack.
#include <cstdint>
#include <memory>
#include <functional>
#include <unordered_map>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xml/writer/OutputHandler.h"
#include "xml/writer/OutputOptions.h"
#include "xslt/processor/output/OutputTables.h"

namespace XsltPrivate {

class CEventRecording;

// Receives the recoverable errors of the nodes a stack refuses while it is
// collecting text: the XSLT error code to report, one of
// Xslt::CXsltException::MisplacedAttributeNode to MisplacedNamespaceNode.
// Processing goes on after the call.
class COutputErrorReporter {
public:
  virtual void ReportOutputError(int32_t code) = 0;

protected:
  ~COutputErrorReporter() = default;
};

class COutputElementStack : public Core::CInterface {
public:
  enum class EContent : uint8_t {
    kAny,
    // Only character data is wanted (the text of a processing instruction):
    // every other node is refused, as inside an attribute.
    kTextOnly,
  };

  // Writing to a handler, which may be null (the events then go nowhere).
  explicit COutputElementStack(Xslt::COutputHandler* handler, EContent content = EContent::kAny);
  // Recording into the recording of a fragment, which outlives the stack.
  explicit COutputElementStack(CEventRecording* recording);
  ~COutputElementStack() override;

  // The run's options; given to the handler too.
  void SetOutputOptions(CPrivateOutputOptions* options);

  // The reporter is not counted: who sets it keeps it alive while it is set.
  // Returns the previous one. Without a reporter refused nodes are dropped
  // silently.
  COutputErrorReporter* SetErrorReporter(COutputErrorReporter* reporter) {
    COutputErrorReporter* previous = m_reporter;
    m_reporter = reporter;
    return previous;
  }
  // Sets a reporter for the life of the scope, then restores the previous one.
  class CReporterScope {
  public:
    CReporterScope(COutputElementStack& stack, COutputErrorReporter* reporter)
        : m_stack(stack), m_previous(stack.SetErrorReporter(reporter)) {}
    ~CReporterScope() { m_stack.SetErrorReporter(m_previous); }
    CReporterScope(const CReporterScope&) = delete;
    CReporterScope& operator=(const CReporterScope&) = delete;

  private:
    COutputElementStack& m_stack;
    COutputErrorReporter* m_previous;
  };

  bool IsRecording() const { return m_recording != nullptr; }
  Xslt::COutputHandler* GetOutputHandler() const { return m_handler.Get(); }

  // Events. Starts and ends come in matched pairs, StartDocument first and
  // EndDocument last; between the start and the end of an attribute,
  // namespace node or comment only characters are expected.
  //
  // While text is collected (an attribute, namespace node or comment, or a
  // text-only stack) an element, attribute, namespace node, comment or
  // processing instruction is refused with a recoverable error, reported once
  // for the outermost refused node. A refused element's character data is
  // kept; the text of the other refused nodes is dropped.
  void StartDocument();
  // A start tag still pending is not sent.
  void EndDocument();
  // Only the local part of the qualified name counts; the prefix is chosen here.
  void StartElement(Core::StringView qualifiedName, Core::StringView namespaceUri);
  void EndElement();
  // Throws COutputException kMisplacedAttribute when no start tag is pending
  // (after content, or outside any element). A later attribute of the same
  // expanded name replaces the value and keeps the first one's place.
  void StartAttribute(Core::StringView qualifiedName, Core::StringView namespaceUri);
  void EndAttribute();
  // The text up to EndNamespace is the URI. A namespace node after the start
  // tag was sent is ignored: it could no longer be declared. So is one that
  // would move an attribute already given to the element into another
  // namespace by rebinding its prefix.
  void StartNamespace(Core::StringView prefix);
  void EndNamespace();
  void Characters(const char16_t* units, int32_t count, bool disableEscaping);
  void StartComment();
  void EndComment();
  void ProcessingInstruction(Core::StringView target, Core::StringView data);

  // Nodes started and not yet ended. A caller that goes on after a failure
  // ends, with EndOpenNodes, what the failed instructions left open, so the
  // result stays well-formed.
  int32_t GetOpenNodeCount() const { return static_cast<int32_t>(m_open.size()); }
  // Ends the innermost open nodes until count are left.
  void EndOpenNodes(int32_t count);

private:
  enum class ECollect : uint8_t { kNone, kAttribute, kNamespace, kComment };
  enum class EOpen : uint8_t { kElement, kAttribute, kNamespace, kComment };

  struct CElementItem {
    Core::String qualifiedName;
    Core::String namespaceUri;
    // The root table, an ancestor's or this frame's private one.
    COutputNamespaceTable* table = nullptr;
    // Kept after the element ends, for the next element at this depth.
    std::unique_ptr<COutputNamespaceTable> privateTable;
    bool ownsTable = false;
    bool preserveSpace = false;
    int32_t nextPrefix = 1;
  };

  void Reset();
  void FlushStartTag();
  // The qualified name for (URI, local name) in the innermost frame. Where
  // no prefix in force binds the URI, the prefix of the name as given is
  // declared when it is free, else one is generated.
  void ChooseName(Core::StringView uri, Core::StringView qualifiedName, bool attribute, Core::String& out);
  // The innermost frame's own table, made from the one in force on first use.
  COutputNamespaceTable& PrivateTable();

  bool Collecting() const { return m_collect != ECollect::kNone || m_textOnly; }
  // Refuses the start of a node; its text is dropped when dropText is set or
  // an enclosing refused node drops its own.
  void Refuse(int32_t code, bool dropText);
  // Ends the innermost refused node, if one is open.
  bool EndRefused();

  Core::XInterface<Xslt::COutputHandler> m_handler;
  CEventRecording* m_recording = nullptr;
  Core::XInterface<CPrivateOutputOptions> m_options;
  COutputErrorReporter* m_reporter = nullptr;
  bool m_textOnly = false;

  // Frame 0 is the document; frame i the element open at depth i. Frames are
  // reused by depth.
  std::vector<CElementItem> m_frames;
  int32_t m_depth = 0;
  bool m_declarationsChanged = false;
  COutputNamespaceTable m_rootTable;
  COutputAttributeTable m_attributes;
  bool m_startTagPending = false;
  ECollect m_collect = ECollect::kNone;
  bool m_collectingXmlSpace = false;
  // The chosen name of the attribute, or the prefix of the namespace node,
  // being collected.
  Core::String m_pendingName;
  Core::String m_text;
  // Scratch for chosen element names.
  Core::String m_name;
  // The prefix each namespace took for the pending start tag's attributes:
  // one per URI, and a prefix that keeps its URI until the tag is sent.
  struct CViewHash {
    using is_transparent = void;
    size_t operator()(Core::StringView text) const { return std::hash<Core::StringView>()(text); }
  };
  std::unordered_map<Core::String, Core::String, CViewHash, std::equal_to<>> m_attributePrefixes;

  // Refused nodes still open, innermost last: whether each drops its text.
  std::vector<bool> m_refused;
  int32_t m_dropping = 0;
  // Every node started and not yet ended, innermost last, refused ones and
  // recorded ones included.
  std::vector<EOpen> m_open;
};

} // namespace XsltPrivate
