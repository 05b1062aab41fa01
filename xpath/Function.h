#pragma once
// Callable functions and the library of the 27 core functions.
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "xpath/Context.h"
#include "xpath/Value.h"

namespace Xpath {

using CArgumentList = std::vector<Core::XInterface<CValue>>;

class CFunction : public Core::CInterface {
public:
  // The arguments are evaluated already, in source order.
  virtual Core::XInterface<CValue> Evaluate(CContext* context, const CArgumentList& arguments) = 0;
};

class CCoreFunctionLibrary : public CFunctionLibrary {
public:
  struct CFunctionItem {
    Core::String name;
    Core::XInterface<CFunction> function;
  };

  // Holds one instance of each of the 27 core functions.
  CCoreFunctionLibrary();
  ~CCoreFunctionLibrary() override;

  void AddFunction(Core::String name, const Core::XInterface<CFunction>& function);

  // Only names without a namespace URI are core functions.
  bool HasFunction(Core::StringView namespaceUri, Core::StringView localName) override;
  Core::XInterface<CFunction> GetFunction(Core::StringView namespaceUri, Core::StringView localName) override;

private:
  std::vector<CFunctionItem> m_items;
};

} // namespace Xpath
