#pragma once
// A small extension package for the tests: it owns one namespace, offers
// the elements and functions it was given, and writes every Start and Finish
// of its per-run contexts to a shared log.
#include <string>
#include <vector>

#include "xslt/processor/extensions/ExtensionPackage.h"

namespace ProcessorTest {

using CEventLog = std::vector<std::string>;

class CRecordingFunction : public Xslt::CExtensionFunction {
public:
  explicit CRecordingFunction(std::string answer) : m_answer(std::move(answer)) {}
  Core::XInterface<Xpath::CValue> Evaluate(Xslt::CExtensionContext*, Xpath::CContext*,
                                           const Xpath::CArgumentList& arguments) override {
    Core::String text = Core::FromUtf8(m_answer);
    for (const auto& argument : arguments) text += u" " + argument->GetString();
    return Core::XInterface<Xpath::CValue>(new Xpath::CStringValue(text));
  }

private:
  std::string m_answer;
};

class CRecordingPackageContext : public Xslt::CExtensionPackageContext {
public:
  CRecordingPackageContext(std::string name, CEventLog& log) : m_name(std::move(name)), m_log(log) {}
  void Start(bool flag) override { m_log.push_back(m_name + ".Start(" + (flag ? "1" : "0") + ")"); }
  void Finish() override { m_log.push_back(m_name + ".Finish"); }
  const std::string& GetName() const { return m_name; }

private:
  std::string m_name;
  CEventLog& m_log;
};

class CRecordingPackage : public Xslt::CExtensionPackage {
public:
  CRecordingPackage(std::string name, Core::String namespaceUri, CEventLog& log,
                    std::vector<Core::String> elements = {}, std::vector<Core::String> functions = {})
      : m_name(std::move(name)), m_namespaceUri(std::move(namespaceUri)), m_log(log),
        m_elements(std::move(elements)), m_functions(std::move(functions)) {}

  Core::String GetNamespaceUri() override {
    ++namespaceQueries;
    return m_namespaceUri;
  }
  Core::XInterface<Xslt::CExtensionPackageContext> CreateContext() override {
    m_log.push_back(m_name + ".CreateContext");
    return Core::XInterface<Xslt::CExtensionPackageContext>(new CRecordingPackageContext(m_name, m_log));
  }
  bool IsElementAvailable(Core::StringView localName) override { return Has(m_elements, localName); }
  Core::XInterface<Xslt::CExtensionElement> CreateInstruction(Xslt::CExtensionStaticContext*) override { return {}; }
  bool IsFunctionAvailable(Core::StringView localName) override { return Has(m_functions, localName); }
  Core::XInterface<Xslt::CExtensionFunction> GetFunction(Core::StringView localName) override {
    if (!Has(m_functions, localName)) return {};
    return Core::XInterface<Xslt::CExtensionFunction>(
        new CRecordingFunction(m_name + "." + Core::ToUtf8(localName)));
  }

  int namespaceQueries = 0;

private:
  static bool Has(const std::vector<Core::String>& names, Core::StringView name) {
    for (const Core::String& n : names) {
      if (n == name) return true;
    }
    return false;
  }

  std::string m_name;
  Core::String m_namespaceUri;
  CEventLog& m_log;
  std::vector<Core::String> m_elements;
  std::vector<Core::String> m_functions;
};

} // namespace ProcessorTest
