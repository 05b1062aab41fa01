// The built-ins as scripts see them, through a whole engine: each case is a
// program whose completion value (as text) or runtime error code is
// expected.
#include <gtest/gtest.h>

#include <string>

#include "core/StringStream.h"
#include "script/builtins/ScriptEngine.h"
#include "script/engine/Conversions.h"
#include "script/engine/ScriptExceptions.h"

namespace {

using namespace EcmaScript;

struct CCase {
  const char16_t* source;
  const char* expected;  // the completion as text, or "error N"
};

class BuiltinScripts : public ::testing::Test {
protected:
  BuiltinScripts() : engine(new CScriptEngine) {}
  ~BuiltinScripts() override { engine->Shutdown(); }

  // Each case runs in a fresh engine so that cases cannot disturb each other.
  static std::string Run(const char16_t* source) {
    Core::XInterface<CScriptEngine> engine(new CScriptEngine);
    std::string result;
    try {
      // has(o, k): whether for-in over o lists k.
      Core::String program = u"function has(o, k) { for (var p in o) if (p == k) return true; return false; }\n";
      program += source;
      Core::XInterface<Core::CStringStream> stream(new Core::CStringStream(program));
      CCompletion completion = engine->Execute(stream.Get());
      if (completion.value) {
        CExecutionContext context;
        context.InitGlobalCode(engine->GetGlobalObject());
        result = Core::ToUtf8(ToString(context, completion.value.Get()));
      }
    } catch (const CEcmaScriptException& failure) {
      const CRuntimeError* error = failure.GetRuntimeError();
      result = error ? "error " + std::to_string(error->GetCode()) : Core::ToUtf8(failure.GetMessage());
    } catch (const Core::IException& failure) {
      result = Core::ToUtf8(failure.GetMessage());
    }
    engine->Shutdown();
    return result;
  }

  static void Check(std::initializer_list<CCase> cases) {
    for (const CCase& c : cases) {
      EXPECT_EQ(Run(c.source), c.expected) << Core::ToUtf8(c.source);
    }
  }

  Core::XInterface<CScriptEngine> engine;
};

TEST_F(BuiltinScripts, GlobalObject) {
  Check({
      {u"var s = ''; for (var p in this) s += p + ' '; s", "has s p "},
      {u"NaN = 1; NaN", "1"},
      {u"delete Infinity; typeof Infinity", "undefined"},
      {u"typeof toString", "undefined"},  // the global object has no prototype
      {u"Object.prototype.constructor == Object && Function.prototype.constructor == Function && "
       u"Array.prototype.constructor == Array && String.prototype.constructor == String && "
       u"Boolean.prototype.constructor == Boolean && Number.prototype.constructor == Number && "
       u"Date.prototype.constructor == Date && RegExp.prototype.constructor == RegExp",
       "true"},
      {u"var s = ''; var f = new Array(Object, Function, Array, String, Boolean, Number, Date, RegExp, "
       u"eval, parseInt, Math.abs);"
       u"for (var i = 0; i < f.length; i++) s += typeof f[i] + f[i].length; s",
       "function1function1function1function1function1function1function7function2function1function2function1"},
      {u"new Math.abs(1)", "error 1"},
      {u"Math()", "error 2"},
      {u"Math.toString()", "[object Object]"},
      // Math's methods keep Math alive after its property goes.
      {u"var m = Math.max; var r = Math.random; delete Math; m(1, 2) + ',' + (r() <= 1) + typeof Math", "2,trueundefined"},
  });
}

TEST_F(BuiltinScripts, Eval) {
  Check({
      {u"eval(5)", "5"},
      {u"typeof eval(new String('1+1'))", "object"},
      {u"eval('1+1')", "2"},
      {u"var r = eval('var v = 3'); typeof r + v", "undefined3"},
      {u"typeof eval('')", "undefined"},
      {u"eval('1 +')", "error 23"},
      {u"function f() { var local = 1; eval('local = 5; var inner = 2'); return local + inner; } f()", "7"},
      {u"function g() { return eval('this'); } var o = new Object(); o.g = g; o.g() == o", "true"},
      {u"eval('function h() { return 4; }'); h()", "4"},
      {u"eval('eval(\"6 * 7\")')", "42"},
      // Eval code that keeps calling eval ends at the depth limit.
      {u"var s = 'eval(s)'; eval(s)", "error 25"},
      {u"var s = 'undefinedName'; eval(s)", "error 6"},
  });
}

TEST_F(BuiltinScripts, ArrayConstructor) {
  Check({
      {u"new Array().length", "0"},
      {u"var a = new Array(3); a.length + ',' + has(a, 0) + ',' + typeof a[0]", "3,false,undefined"},
      {u"var a = new Array(3); var n = 0; for (var p in a) n++; n", "0"},
      {u"var a = new Array('3'); a.length + ',' + a[0]", "1,3"},
      {u"Array(1, 2).length", "2"},
      {u"new Array(-1)", "error 13"},
      {u"new Array(1.5)", "error 13"},
      {u"Array(4294967296)", "error 13"},
      {u"new Array(0 / 0)", "error 13"},
      {u"new Array(4294967295).length", "4294967295"},
      {u"Array.prototype.length", "0"},
      {u"Array.prototype[1] = 'p'; new Array(3)[1]", "p"},
      {u"var a = new Array(); a[5] = 1; a.length", "6"},
      {u"var a = new Array(); a[5] = 1; a.length = 2; a.length + typeof a[5]", "2undefined"},
      {u"var a = new Array(); a.length = -1", "error 14"},
      {u"var a = new Array(); a.length = '4'; a.length", "4"},
      {u"var a = new Array(); a[4000000000] = 1; a.length", "4000000001"},
      {u"var a = new Array(); a.length = 4e9; a[3999999999] = 'z'; a.length + a[3999999999]", "4000000000z"},
      {u"var a = new Array(1, 2); delete a[0]; a.length + ',' + has(a, 0)", "2,false"},
      {u"var a = new Array(1, 2); delete a.length", "false"},
      {u"var a = new Array(); a['02'] = 1; a[4294967295] = 2; a.length", "0"},
      {u"var a = new Array(); a.x = 1; a[2] = 2; a[0] = 0; var s = ''; for (var p in a) s += p; s", "x02"},
  });
}

TEST_F(BuiltinScripts, ArrayMethods) {
  Check({
      {u"new Array(1, 2, 3).toString()", "1,2,3"},
      {u"var u; new Array(1, u, null, 'x').join('-')", "1---x"},
      {u"new Array().join()", ""},
      {u"new Array(3).join()", ",,"},
      {u"var a = new Array(1, 2, 3); var b = a.reverse(); b == a && a.join()", "3,2,1"},
      // A present element moves to its mirror; a missing one stays missing
      // there.
      {u"var a = new Array(2); a[0] = 'x'; a.reverse(); has(a, 0) + ',' + a[1]", "false,x"},
      {u"var a = new Array(2); a[1] = 'x'; a.reverse(); a[0] + ',' + has(a, 1)", "x,false"},
      {u"var a = new Array(10, 9, 1); a.sort().join()", "1,10,9"},
      {u"function f(a, b) { return a - b; } new Array(10, 9, 1).sort(f).join()", "1,9,10"},
      {u"new Array(10, 9, 1).sort(5).join()", "1,10,9"},
      {u"var u; var a = new Array(u, 3, u, 1); a.sort(); a.join() + (a.length)", "1,3,,4"},
      // Stable: equal keys keep their order.
      {u"function k(a, b) { return a.charAt(0) < b.charAt(0) ? -1 : a.charAt(0) > b.charAt(0) ? 1 : 0; }"
       u"new Array('b1', 'a1', 'b2', 'a2', 'b3').sort(k).join()",
       "a1,a2,b1,b2,b3"},
      // Missing elements before the last defined one become stored
      // Undefined values; trailing ones stay missing.
      {u"var a = new Array(6); a[1] = 'b'; a[3] = 'a'; a.sort();"
       u"a[0] + a[1] + has(a, 2) + typeof a[2] + has(a, 3) + has(a, 4) + has(a, 5) + a.length",
       "abtrueundefinedtruefalsefalse6"},
      {u"var a = new Array(); a[4000000000] = 2; a[7] = 1; a.sort(); a[0] + ',' + a[1] + ',' + a.length", "error 14"},
      {u"var a = new Array(); a[4000000000] = 2; a[3000000000] = 1; a.join('').length + ',' + a.join(',').length", "error 27"},
      {u"var a = new Array(); a[4000000000] = 'b'; a[10] = 'a'; a.reverse(); a[0] + a[3999999990] + has(a, 10) + has(a, 4000000000)", "bafalsefalse"},
      {u"var a = new Array(); a[4000000000] = 'z'; a.length = 4000000001; a.join('').length", "1"},
      // The methods work on any object with a length and numbered properties.
      {u"var o = new Object(); o.length = 3; o[0] = 'c'; o[1] = 'a'; o[2] = 'b'; o.join = Array.prototype.join;"
       u"o.sort = Array.prototype.sort; o.sort(); o.join('')",
       "abc"},
      {u"function bad(a, b) { return null.x; } new Array(2, 1).sort(bad)", "error 9"},
      {u"var o = new Object(); new Array(2, 1).sort(o)", "error 2"},
      // Recursion through built-ins ends in error 25.
      {u"var a = new Array(); a[0] = a; a.join()", "error 25"},
      {u"function t() { return a.join(); } var o = new Object(); o.toString = t; var a = new Array(o); a.join()",
       "error 25"},
  });
}

TEST_F(BuiltinScripts, SortIsNotQuadratic) {
  // 20,000 elements: an insertion sort would need about 10^8 calls.
  EXPECT_EQ(Run(u"var n = 0; function f(a, b) { n++; return a - b; } var a = new Array();"
                u"for (var i = 0; i < 20000; i++) a[i] = (i * 7919) % 20000; a.sort(f);"
                u"var ok = true; for (var i = 0; i < 20000; i++) if (a[i] != i) ok = false; ok && n < 400000"),
            "true");
}

TEST_F(BuiltinScripts, BooleanAndNumber) {
  Check({
      {u"new Boolean().valueOf()", "false"},
      {u"new Boolean(0).valueOf() + ',' + new Boolean('').valueOf() + ',' + new Boolean(null).valueOf()",
       "false,false,false"},
      {u"new Boolean('false').valueOf() + ',' + new Boolean(new Boolean(false)).valueOf()", "true,true"},
      {u"typeof new Boolean(true) + typeof Boolean(true) + Boolean()", "objectbooleanfalse"},
      {u"true.toString() + false.valueOf() + Boolean.prototype.toString()", "truefalsefalse"},
      {u"var o = new Object(); o.v = Boolean.prototype.valueOf; o.v()", "error 16"},
      {u"var n = new Number(1); n.t = Boolean.prototype.toString; n.t()", "error 16"},
      {u"var b = new Boolean(false); b ? 'yes' : 'no'", "yes"},
      {u"Number() + ',' + Number('12') + ',' + Number(1, 2) + ',' + new Number().valueOf()", "0,12,1,0"},
      {u"var u; Number(u)", "NaN"},
      {u"Number.prototype.toString()", "0"},
      {u"(255).toString(16) + '|' + (255).toString(2) + '|' + (255).toString(36)", "||"},
      {u"(255).toString(10) + (255).toString() + (255).toString(20 / 2)", "255255255"},
      {u"(255).toString(1)", "error 18"},
      {u"(255).toString(37)", "error 18"},
      {u"(255).toString(2.5)", "error 18"},
      {u"(255).toString(0 / 0)", "error 18"},
      {u"(255).toString('16')", "error 18"},
      {u"var o = new Object(); o.t = Number.prototype.toString; o.t()", "error 17"},
      {u"var s = new String('1'); s.v = Number.prototype.valueOf; s.v()", "error 17"},
      {u"Number.MAX_VALUE + ',' + Number.MIN_VALUE + ',' + Number.NaN + ',' + Number.NEGATIVE_INFINITY", 
       "1.7976931348623157e+308,5e-324,NaN,-Infinity"},
      {u"Number.MAX_VALUE = 1; delete Number.POSITIVE_INFINITY; Number.MAX_VALUE + ',' + Number.POSITIVE_INFINITY",
       "1.7976931348623157e+308,Infinity"},
      {u"var n = 0; for (var p in Number) n++; n", "0"},
      {u"delete Number.prototype.toString; (5).toString()", "[object Number]"},
  });
}

TEST_F(BuiltinScripts, String) {
  Check({
      {u"String() + '|' + String(12) + '|' + String(1, 2)", "|12|1"},
      {u"var s = new String('ab'); s.length = 5; delete s.length; s.length", "2"},
      {u"String.prototype.length + String.prototype.toString()", "0"},
      {u"String.fromCharCode(65, 66.7, 65536 + 65) + '|' + String.fromCharCode()", "ABA|"},
      {u"var n = new Number(1); n.t = String.prototype.toString; n.t()", "error 15"},
      {u"var n = new Number(1); n.v = String.prototype.valueOf; n.v()", "error 15"},
      {u"var n = new Number(12); n.c = String.prototype.charAt; n.c(1)", "2"},
      {u"'abc'.charAt(-1) + '|' + 'abc'.charAt(3) + '|' + 'abc'.charAt() + '|' + 'abc'.charAt(1.9)", "||a|b"},
      {u"'abc'.charCodeAt(5) + ',' + 'a'.charCodeAt(0) + ',' + String.fromCharCode(233).charCodeAt(0)", "NaN,97,233"},
      {u"'abcabc'.indexOf('c', -5) + ',' + 'abc'.indexOf('abcd') + ',' + 'abc'.indexOf('', 9)", "2,-1,3"},
      {u"'abcabc'.indexOf('c', 1e30) + ',' + 'undefined'.indexOf()", "-1,0"},
      {u"'abcabc'.lastIndexOf('c') + ',' + 'abcabc'.lastIndexOf('c', 4) + ',' + 'abc'.lastIndexOf('', 99)", "5,2,3"},
      {u"'abcabc'.lastIndexOf('a', -1e30) + ',' + 'abcabc'.lastIndexOf('x')", "0,-1"},
      {u"var a = 'a,b,,c'.split(','); a.length + ':' + a.join('|')", "4:a|b||c"},
      {u"var a = 'a,b,'.split(','); a.length + ':' + a.join('|')", "3:a|b|"},
      {u"'abc'.split('').join('|') + ',' + 'abc'.split().length + ',' + ''.split('').length + ',' + ''.split(',').length",
       "a|b|c,1,0,1"},
      {u"'a1b'.split(new RegExp('1')).length", "1"},
      {u"'a--b--'.split('--').join('|')", "a|b|"},
      {u"'hello'.substring(3, 1) + ',' + 'hello'.substring(-2) + ',' + 'hello'.substring(2, 0 / 0)", "el,hello,he"},
      {u"var u; 'hello'.substring(1, u) + ',' + 'hello'.substring(1) + ',' + 'hello'.substring(1, 1e99)",
       "h,ello,ello"},
      {u"var s = String.fromCharCode(228, 98).toUpperCase(); s.charCodeAt(0) + ',' + s.charCodeAt(1)", "228,66"},
      {u"'MiXeD 1!'.toLowerCase() + 'MiXeD 1!'.toUpperCase()", "mixed 1!MIXED 1!"},
      {u"'xaybz'.replace(new RegExp('[ab]', 'g'), '-') + 'abc'.search('c') + 'abc'.match('b')", "x-y-z2b"},
      {u"'a.c'.replace('.', '-') + ','.split(',').length", "a-c2"},
      // The this string comes through ToString of any object.
      {u"function t() { return 'xyz'; } var o = new Object(); o.toString = t; o.up = String.prototype.toUpperCase; o.up()",
       "XYZ"},
      {u"function t() { return 'own'; } String.prototype.toString = t; new String('s').charAt(0)", "o"},
      {u"function t() { return o.s(); } var o = new Object(); o.toString = t; o.s = String.prototype.substring; o.s()",
       "error 25"},
      {u"var c = 0; function v() { c++; return 1; } var o = new Object(); o.valueOf = v;"
       u"'abc'.indexOf('b', o) + ',' + c",
       "1,1"},
  });
}

} // namespace
