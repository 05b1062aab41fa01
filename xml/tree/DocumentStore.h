#pragma once
// The storage of one document, owned by its document node: the kind records,
// the two name tables, the namespace scopes and the node and text blocks.
#include <cstdint>
#include <vector>

#include "xml/tree/Dom.h"
#include "xml/tree/Names.h"

namespace Dom {

// Places of the kind records in the store.
enum EKindSlot : int {
  FRAGMENT_KIND = 0,
  DOCUMENT_KIND,
  ATTRIBUTE_KIND,
  ELEMENT_KIND,
  TEXT_KIND,
  COMMENT_KIND,
  PROCESSING_INSTRUCTION_KIND,
  NAMESPACE_KIND,
  KIND_COUNT
};

constexpr size_t NODE_BLOCK_SIZE = 16000;  // bytes
constexpr size_t TEXT_BLOCK_SIZE = 16000;  // UTF-16 units
// A document's first blocks are small, and each new one is twice the size
// of the one before up to the sizes above: a run may keep thousands of small
// documents.
constexpr size_t FIRST_NODE_BLOCK_SIZE = 1000;
constexpr size_t FIRST_TEXT_BLOCK_SIZE = 500;
// The least a first block sized from an earlier document takes.
constexpr size_t MIN_FIRST_NODE_BLOCK_SIZE = 256;
constexpr size_t MIN_FIRST_TEXT_BLOCK_SIZE = 64;

struct CDocumentStore {
  CDocumentStore(CDocumentNode* document, uint32_t documentNumber);
  CDocumentStore(const CDocumentStore&) = delete;
  CDocumentStore& operator=(const CDocumentStore&) = delete;
  ~CDocumentStore();

  const CNodeKind* Kind(EKindSlot slot) const { return &kinds[slot]; }

  // A new node block of at least the given size, appended to the block list.
  char* NewNodeBlock(size_t bytes);
  // A new text block of the given size in units, appended to the block list.
  char16_t* NewTextBlock(size_t units);
  // Resizes the last text block in place where the allocator can, keeping its
  // first units; only valid while nothing refers into the block.
  char16_t* GrowLastTextBlock(size_t units);
  // Sizes the first blocks for a document expected to hold about this much:
  // the one built before it, as a run reading many similar small documents
  // does. Blocks after them grow from the usual first sizes.
  void SizeFirstBlocks(size_t nodeBytes, size_t textUnits);
  // Frees a block that no record or text refers to any more.
  void DropNodeBlock(char* block);
  void DropTextBlock(char16_t* block);

  CNodeKind kinds[KIND_COUNT];
  CStoreArena arena;
  CNameTable elementNames;
  CNameTable attributeNames;
  CNamespaceScope* scopes = nullptr;
  int32_t nextNodeIndex = 1;
  std::vector<char*> nodeBlocks;
  size_t nodeBlockSize = FIRST_NODE_BLOCK_SIZE;
  std::vector<char16_t*> textBlocks;
  size_t textBlockSize = FIRST_TEXT_BLOCK_SIZE;
  bool firstNodeBlockSized = false;
  bool firstTextBlockSized = false;
};

} // namespace Dom
