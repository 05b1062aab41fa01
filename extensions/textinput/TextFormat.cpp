#include "extensions/textinput/TextFormat.h"

#include "extensions/textinput/TextInputException.h"

namespace XsltTextInput {

void CTextFormat::AddField(Core::String name, int32_t width) {
  if (m_separator != 0 && width >= 0) throw CXsltTextInputException(CXsltTextInputException::InvalidFieldWidth);
  if (m_separator == 0 && width < 0) throw CXsltTextInputException(CXsltTextInputException::MissingFieldWidth);
  for (const CField& field : m_fields)
    if (field.name == name) throw CXsltTextInputException(CXsltTextInputException::DuplicateFieldName, name);
  m_fields.push_back({std::move(name), width});
}

} // namespace XsltTextInput
