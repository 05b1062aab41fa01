#pragma once
// xsl:number: a list of integers from its value expression or by counting
// nodes around the current node, formatted by the format tokens.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/Interface.h"
#include "xpath/Expr.h"
#include "xslt/compiler/Avt.h"
#include "xslt/compiler/Instruction.h"
#include "xslt/compiler/Pattern.h"

namespace XsltPrivate {

class CMatchContext;
class CNumberCounts;

class CNumber : public CInstruction {
public:
  enum : int32_t { LevelSingle = 0, LevelMultiple = 1, LevelAny = 2 };

  CNumber();
  ~CNumber() override;

  void Compile(CStaticContext& context);
  void Execute(CContext& context) override;

  int32_t GetLevel() const { return m_level; }
  CPattern* GetCount() const { return m_count.Get(); }
  CPattern* GetFrom() const { return m_from.Get(); }
  Xpath::CExpr* GetValue() const { return m_value.Get(); }
  Xslt::CAvt* GetFormat() const { return m_format.Get(); }
  Xslt::CAvt* GetLang() const { return m_lang.Get(); }
  Xslt::CAvt* GetLetterValue() const { return m_letterValue.Get(); }
  Xslt::CAvt* GetGroupingSeparator() const { return m_groupingSeparator.Get(); }
  Xslt::CAvt* GetGroupingSize() const { return m_groupingSize.Get(); }

private:
  int32_t m_level = LevelSingle;
  Core::XInterface<CPattern> m_count;              // null when absent
  Core::XInterface<CPattern> m_from;               // null when absent
  Core::XInterface<Xpath::CExpr> m_value;          // null when absent
  Core::XInterface<Xslt::CAvt> m_format;           // "1" when absent
  Core::XInterface<Xslt::CAvt> m_lang;             // null when absent
  Core::XInterface<Xslt::CAvt> m_letterValue;      // null when absent
  Core::XInterface<Xslt::CAvt> m_groupingSeparator;  // null when absent
  Core::XInterface<Xslt::CAvt> m_groupingSize;     // null when absent

  // The counting of one execution, and what it remembers for the next (a
  // document numbered in order is counted in one pass).
  friend class CNumberCounting;
  std::unique_ptr<CNumberCounts> m_counts;
};

} // namespace XsltPrivate
