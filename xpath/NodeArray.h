#pragma once
// Node arrays: distinct nodes kept in document order as they are inserted,
// duplicates refused. The order comes from the data set of the evaluation,
// so one array may hold nodes of several documents.
#include <cstdint>

#include "core/Interface.h"
#include "xpath/NodeSet.h"

namespace Xpath {

class CDataSet;

class CNodeArrayIndex : public Core::CInterface {
public:
  // The node under the cursor, null past the last element.
  virtual Dom::XNode GetNode() = 0;
  virtual void Next() = 0;
};

class CNodeArray : public Core::CInterface {
public:
  // Inserts the node at its place in document order unless it is present.
  virtual void Insert(const Dom::XNode& node) = 0;
  virtual int32_t GetCount() = 0;
  // index must lie in 0 to GetCount() - 1.
  virtual Dom::XNode GetAt(int32_t index) = 0;
  virtual bool Contains(const Dom::XNode& node) = 0;
  // A cursor on the first element; it reads the array's current count on
  // every read, so fill the array before making one.
  virtual Core::XInterface<CNodeArrayIndex> CreateIndex() = 0;
};

class CNodeArrayFactory : public Core::CInterface {
public:
  // A new empty array that orders through dataSet.
  virtual Core::XInterface<CNodeArray> CreateNodeArray(CDataSet* dataSet) = 0;
};

class CBasicNodeArrayFactory : public CNodeArrayFactory {
public:
  Core::XInterface<CNodeArray> CreateNodeArray(CDataSet* dataSet) override;
};

} // namespace Xpath
