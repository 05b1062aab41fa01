#pragma once
// Helpers shared by the document-tree tests.
#include <gtest/gtest.h>

#include <cstdint>

#include "xml/tree/Dom.h"

namespace TreeTest {

inline Dom::CNode* Root(const Dom::XNode& doc) { return doc->GetDocumentElement().Get(); }

// f must throw a DOM exception with the code.
template <class F>
void ExpectDomError(int32_t code, F&& f) {
  try {
    f();
    ADD_FAILURE() << "no DOM exception, expected " << code;
  } catch (const Dom::CDomException& e) {
    EXPECT_EQ(e.GetCode(), code);
  }
}

} // namespace TreeTest
