#pragma once
// The base of every script object: the internal methods of the language as
// virtual operations, a prototype, and the own properties in a property
// table. Built-in objects override what differs; the registration
// operations (Define...) are how they populate themselves.
//
// Every object belongs to a global object (not counted) and is linked into
// that global object's list of live objects from construction to
// destruction, so that shutting the engine down can clear every object,
// whatever cycles scripts built among them.
#include <cstdint>
#include <vector>

#include "core/Interface.h"
#include "core/String.h"
#include "script/engine/PropertyName.h"
#include "script/engine/PropertyTable.h"
#include "script/engine/SmallAllocator.h"
#include "script/engine/Value.h"

namespace RegExp {
class CCaptureList;
}

namespace EcmaScript {

class CExecutionContext;
class CGlobalObjectBase;
class CPropertyEnumerator;
class CScriptObject;

// A link of the global object's list of live objects; the list head is a
// link without an object.
struct CLiveLink {
  CLiveLink* prev = this;
  CLiveLink* next = this;
  CScriptObject* object = nullptr;

  void Unlink() {
    prev->next = next;
    next->prev = prev;
    prev = next = this;
  }
  void InsertBefore(CLiveLink* at) {
    prev = at->prev;
    next = at;
    at->prev->next = this;
    at->prev = this;
  }
  bool IsEmpty() const { return next == this; }
};

// Hints of DefaultValue and ToPrimitive.
enum : int32_t { HintNone = 0, HintString = 1, HintNumber = 2 };

class CScriptObject : public Core::CInterface {
public:
  KELTO_SMALL_OBJECT_ALLOCATION

  // The prototype gains a use; the global object does not. A null global
  // object is for the global object itself while it is being built.
  CScriptObject(CGlobalObjectBase* global, CScriptObject* prototype);
  ~CScriptObject() override;
  CScriptObject(const CScriptObject&) = delete;
  CScriptObject& operator=(const CScriptObject&) = delete;

  // No use added.
  virtual CScriptObject* GetPrototype() const { return m_prototype.Get(); }
  virtual Core::StringView GetClassName() const { return u"Object"; }
  // A new value with the primitive of a wrapper object; null otherwise.
  virtual XValue GetPrimitiveValue() const { return nullptr; }
  virtual void SetPrimitiveValue(CValue*) {}

  virtual XValue Get(CExecutionContext& context, const CPropertyName& name);
  // Does nothing when CanPut says no.
  virtual void Put(CExecutionContext& context, const CPropertyName& name, CValue* value);
  virtual bool CanPut(CExecutionContext& context, const CPropertyName& name);
  virtual bool HasProperty(CExecutionContext& context, const CPropertyName& name);
  // HasProperty and then Get in one walk of the prototype chain: false, and
  // nothing read, when the property is nowhere on it.
  bool GetIfPresent(CExecutionContext& context, const CPropertyName& name, XValue& value);
  // False for a DontDelete property; true when removed or absent.
  virtual bool Delete(CExecutionContext& context, const CPropertyName& name);
  // A primitive value from "valueOf" and "toString" in the order of the hint
  // (toString first for HintString, valueOf first otherwise); runtime
  // error 0 when neither gives one. Enters the depth guard.
  virtual XValue DefaultValue(CExecutionContext& context, int32_t hint);
  // The defaults throw runtime errors 1, 2 and 3 with this object.
  virtual XValue Construct(CExecutionContext& context, const CArgumentList& arguments);
  virtual XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments);
  virtual bool Match(CExecutionContext& context, const Core::String& text, int32_t index,
                     RegExp::CCaptureList& captures);
  // Absent: a new property. Present: replaced (value and attributes) only
  // when replace is true.
  virtual void DefineOwnProperty(const CPropertyName& name, CValue* value, int32_t attributes, bool replace);
  virtual Core::XInterface<CPropertyEnumerator> GetEnumerator();
  virtual Core::StringView GetTypeOf() const { return u"object"; }
  virtual XObject GetSelf();
  virtual bool IsSameObject(const CScriptObject* other) const { return other == this; }
  // The hooks of properties registered with a native id.
  virtual XValue GetNativeProperty(CExecutionContext& context, int32_t nativeId);
  virtual void PutNativeProperty(CExecutionContext& context, int32_t nativeId, CValue* value);
  // The dispatcher of the methods registered with DefineMethod; null here.
  virtual XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                            const CArgumentList& arguments);

  // Drops the prototype and every property. Engine shutdown clears every
  // live object this way; classes holding further references drop them too.
  virtual void Clear();

  // Registration: each adds a new entry without looking for the name.
  void DefineNumberProperty(const CPropertyName& name, CScriptNumber number, int32_t attributes);
  void DefineObjectProperty(const CPropertyName& name, CScriptObject* object, int32_t attributes);
  void DefineValueProperty(const CPropertyName& name, CValue* value, int32_t attributes);
  void DefineNativeProperty(const CPropertyName& name, int32_t nativeId, int32_t attributes);
  // A built-in method object (made by the global object) that calls this
  // object's CallMethod with the method number.
  void DefineMethod(const CPropertyName& name, int32_t methodNumber, int32_t length, int32_t attributes);

  // Not counted; null only for a global object under construction.
  CGlobalObjectBase* GetGlobalObject() const { return m_global; }
  CPropertyTable& GetPropertyTable() { return m_table; }
  const CPropertyTable& GetPropertyTable() const { return m_table; }

  // True for classes that override Get, Put, CanPut, HasProperty or Delete:
  // prototype walks then ask them through the virtual operation.
  bool HasCustomLookup() const { return m_customLookup; }

protected:
  void SetPrototype(CScriptObject* prototype);
  // Classes overriding Get, Put, CanPut, HasProperty or Delete call it from
  // their constructor.
  void SetCustomLookup() { m_customLookup = true; }
  // Hands a use of a value or object to the release queue. Destructors of
  // derived classes release what they hold this way, so that freeing a long
  // chain of objects (a list built by a script, a deep prototype chain)
  // takes constant stack: the queue is drained by the outermost object
  // destruction, one object at a time.
  static void ReleaseLater(Core::CInterface* counted);
  template <class T>
  static void ReleaseLater(Core::XInterface<T>& held) {
    if (T* p = held.Get()) {
      p->AddRef();
      held = nullptr;
      ReleaseLater(static_cast<Core::CInterface*>(p));
    }
  }
  // For the global object, which becomes its own global object (unlinked).
  void SetGlobalObjectUnlinked(CGlobalObjectBase* global) { m_global = global; }

private:
  friend class CGlobalObjectBase;

  // The stored value of an own entry or, for a native one, the hook's value.
  XValue GetEntryValue(CExecutionContext& context, const CPropertyEntry* entry);

  CGlobalObjectBase* m_global;
  XObject m_prototype;
  CPropertyTable m_table;
  CLiveLink m_live;
  bool m_customLookup = false;
};

// The for-in enumerator of an object's own table: the names of the entries
// without DontEnum, in slot order. It keeps a slot position, so the table
// may grow or lose entries meanwhile.
class CPropertyEnumerator : public Core::CInterface {
public:
  explicit CPropertyEnumerator(CScriptObject* object);
  ~CPropertyEnumerator() override;
  // False once no name is left.
  virtual bool Next(CPropertyName& name);

protected:
  CScriptObject* GetObject() const { return m_object.Get(); }

private:
  struct CName {
    Core::XInterface<CNameText> text;
    int32_t hash;
  };

  XObject m_object;
  // The enumerable names in slot order when the walk began: a body that adds
  // properties can make the table grow and place every entry anew, so the
  // walk cannot follow the slots themselves.
  std::vector<CName> m_names;
  int32_t m_position = -1;
  bool m_finished = false;
};

// The argument at the index, or Undefined past the end.
XValue GetArgument(const CArgumentList& arguments, int32_t index);

} // namespace EcmaScript
