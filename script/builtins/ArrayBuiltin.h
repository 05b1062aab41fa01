#pragma once
// The Array built-in: the constructor (called or constructed alike) and
// Array.prototype, itself an empty array, with toString, join, reverse and
// sort. The four methods work on any object through its own operations
// ('length' and the numbered properties); on arrays with a huge length they
// visit only the indices that can hold something.
#include <cstdint>

#include "script/builtins/ArrayObject.h"
#include "script/builtins/BuiltinConstructorBase.h"

namespace EcmaScript {

class CArrayPrototype : public CArrayObject {
public:
  enum : int32_t { MethodToString, MethodJoin, MethodReverse, MethodSort, MethodCount };

  // Prototype Object.prototype.
  explicit CArrayPrototype(CGlobalObjectBase* global);

  void Populate();
  // toString for any number beyond the table.
  XValue CallMethod(CExecutionContext& context, int32_t methodNumber, CScriptObject* thisObject,
                    const CArgumentList& arguments) override;

  // The elements' texts (empty for Undefined and Null) between separators
  // ("," for Undefined). Runtime error 27 when the result would be too long.
  static XValue Join(CExecutionContext& context, CScriptObject* thisObject, CValue* separator);
  // Present elements trade places with their mirror; a missing one stays
  // missing at the mirror position.
  static XValue Reverse(CExecutionContext& context, CScriptObject* thisObject);
  // A stable sort with O(n log n) comparisons over a copy of the elements,
  // written back once it is done: the defined values in order, then the
  // Undefined values and missing elements in their original order (a
  // missing element that had a defined one after it becomes a stored
  // Undefined). A compare argument that is no object is ignored.
  static XValue Sort(CExecutionContext& context, CScriptObject* thisObject, CValue* compare);
};

class CArrayConstructor : public CBuiltinConstructorBase {
public:
  using CBuiltinConstructorBase::CBuiltinConstructorBase;
  void Populate();
  // No argument: an empty array; one Number argument: that length (runtime
  // error 13 unless it is an integer from 0 to 2^32 - 1); anything else:
  // the arguments as elements.
  XValue Construct(CExecutionContext& context, const CArgumentList& arguments) override;
  XValue Call(CExecutionContext& context, CScriptObject* thisObject, const CArgumentList& arguments) override;
};

} // namespace EcmaScript
