#pragma once
// The three packages the driver registers. Each is made beside its own
// classes, so the driver sees only the package interface.
#include "core/EncodingMap.h"
#include "core/Interface.h"
#include "script/builtins/ScriptEngine.h"
#include "xslt/processor/extensions/ExtensionPackage.h"

namespace KeltoExtensions {

// Report counters and groups.
Core::XInterface<Xslt::CExtensionPackage> CreateReportsPackage();
// Script objects, run by the engine; imported files are decoded through the map.
Core::XInterface<Xslt::CExtensionPackage> CreateScriptPackage(EcmaScript::CScriptEngine* engine,
                                                              Unicode::CEncodingMap* encodings);
// Delimited and fixed-width text files read as records.
Core::XInterface<Xslt::CExtensionPackage> CreateTextInputPackage();

} // namespace KeltoExtensions
