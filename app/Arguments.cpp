#include "app/Arguments.h"

#include "app/StandardError.h"
#include "xpath/Value.h"

namespace Kelto {

void PrintBanner() {
  WriteStandardError(std::string_view("\n"));
  WriteStandardError(std::string_view("Veltrix XSLT Processor version 1.0\n"));
  WriteStandardError(std::string_view("A console XSLT 1.0 processor. https://veltrix.dev/\n"));
  WriteStandardError(std::string_view("\n"));
}

void PrintUsage() {
  WriteStandardError(std::string_view("Usage: kelto [/Pparameter=value ...] document stylesheet output\n"));
}

bool IsParameterArgument(std::string_view argument) {
  if (argument.size() < 2 || argument[1] != 'P') return false;
  if (argument[0] == '-') return true;
  if (argument[0] != '/') return false;
  std::string_view name = argument.substr(2);
  name = name.substr(0, name.find('='));
  return name.find('/') == std::string_view::npos;
}

namespace {

void InvalidParameter(const std::string& argument) {
  Core::String text;
  Core::Utf8ToString(argument, text);
  WriteStandardError(u"Invalid parameter: " + text + u"\n");
}

} // namespace

bool ParseArguments(const std::vector<std::string>& arguments, CArguments& out) {
  int positional = 0;
  for (const std::string& argument : arguments) {
    if (IsParameterArgument(argument)) {
      size_t equals = argument.find('=', 2);
      Core::String name, value;
      if (equals == std::string::npos || !Core::Utf8ToString(std::string_view(argument).substr(2, equals - 2), name) ||
          !Core::Utf8ToString(std::string_view(argument).substr(equals + 1), value)) {
        InvalidParameter(argument);
        return false;
      }
      Core::XInterface<Xpath::CValue> text(new Xpath::CStringValue(std::move(value)));
      out.parameters.Add(name, text.Get());
      continue;
    }
    if (positional == 3) {
      PrintUsage();
      return false;
    }
    CFileName& slot = positional == 0 ? out.document : (positional == 1 ? out.stylesheet : out.output);
    slot.isUtf8 = Core::Utf8ToString(argument, slot.name);
    ++positional;
  }
  if (positional < 3) {
    PrintUsage();
    return false;
  }
  return true;
}

} // namespace Kelto
