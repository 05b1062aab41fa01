#include "extensions/script/EcmaScriptPackage.h"

#include "extensions/script/EcmaScriptBinding.h"

namespace XsltEcmaScript {

CEcmaScriptPackage::CEcmaScriptPackage(EcmaScript::CScriptEngine* engine, Unicode::CEncodingMap* encodings)
    : XsltObject::CObjectPackage(kScriptNamespaceUri,
                                 Core::XInterface<CEcmaScriptBinding>(new CEcmaScriptBinding(engine, encodings)).Get()) {}

} // namespace XsltEcmaScript
