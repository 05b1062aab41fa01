#pragma once
// An element of an extension namespace that a registered package
// implements: the package's element object, and the element's children
// compiled into numbered content blocks that the object may ask to run.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "xslt/compiler/ExtensionContentType.h"
#include "xslt/compiler/Instruction.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace XsltPrivate {

class CExtensionInstruction : public CInstruction {
public:
  CExtensionInstruction();
  ~CExtensionInstruction() override;

  // The package of the element's namespace creates and compiles the element
  // object. Its XSLT errors pass unchanged; any other failure is reported
  // as error 55 with its own message and becomes static error 19.
  void Compile(CStaticContext& context);
  // Reached through the extension static context while the package compiles.
  void CompileContent(CStaticContext& context, Xslt::CExtensionContentType* contentType);

  void Execute(CContext& context) override;
  // Runs the entries of one content block in document order.
  void ExecuteContent(CContext& context, int32_t block);

  Xslt::CExtensionElement* GetElement() const { return m_element.Get(); }
  int32_t GetContentCount() const { return static_cast<int32_t>(m_content.size()); }
  int32_t GetContentBlock(int32_t i) const { return m_content[static_cast<size_t>(i)].block; }
  CInstruction* GetContentInstruction(int32_t i) const { return m_content[static_cast<size_t>(i)].instruction.Get(); }

private:
  struct CEntry {
    int32_t block;
    Core::XInterface<CInstruction> instruction;
  };

  void CountChild(CStaticContext& childContext, const Xslt::CExtensionContentType& contentType, int32_t item,
                  std::vector<int32_t>& counts, const Core::XInterface<CInstruction>& instruction);
  static void CheckRequiredChildren(CStaticContext& context, const Xslt::CExtensionContentType& contentType,
                                    const std::vector<int32_t>& counts);

  Core::XInterface<Xslt::CExtensionElement> m_element;
  std::vector<CEntry> m_content;  // in document order of the children
};

} // namespace XsltPrivate
