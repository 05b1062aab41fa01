#pragma once
// The object package over the script engine, in its namespace.
#include "core/EncodingMap.h"
#include "extensions/script/ObjectPackage.h"
#include "script/builtins/ScriptEngine.h"

namespace XsltEcmaScript {

inline constexpr Core::StringView kScriptNamespaceUri = u"https://veltrix.dev/xslt/script";

class CEcmaScriptPackage : public XsltObject::CObjectPackage {
public:
  // Imported files are decoded through the map.
  CEcmaScriptPackage(EcmaScript::CScriptEngine* engine, Unicode::CEncodingMap* encodings);
};

} // namespace XsltEcmaScript
