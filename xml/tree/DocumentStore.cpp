#include "xml/tree/DocumentStore.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "core/LargePages.h"

namespace Dom {

CDocumentStore::CDocumentStore(CDocumentNode* document, uint32_t documentNumber)
    : elementNames(arena), attributeNames(arena) {
  struct {
    int32_t type;
    const CNodeOperations* operations;
  } const rows[KIND_COUNT] = {
      {DOCUMENT_FRAGMENT_NODE, &DocumentFragmentOperations},
      {DOCUMENT_NODE, &DocumentOperations},
      {ATTRIBUTE_NODE, &AttributeOperations},
      {ELEMENT_NODE, &ElementOperations},
      {TEXT_NODE, &TextOperations},
      {COMMENT_NODE, &CommentOperations},
      {PROCESSING_INSTRUCTION_NODE, &ProcessingInstructionOperations},
      {NAMESPACE_NODE, &NamespaceOperations},
  };
  for (int i = 0; i < KIND_COUNT; ++i) {
    kinds[i].counted = rows[i].operations->counted;
    kinds[i].nodeType = rows[i].type;
    kinds[i].documentNumber = documentNumber;
    kinds[i].ownerDocument = document;
    kinds[i].operations = rows[i].operations;
  }
}

namespace {

// Room for one more block before it is allocated, so that recording it cannot
// fail and leak it; grown by doubling, as reserving one more each time would
// copy the whole list for every block.
template <class T>
void MakeRoom(std::vector<T*>& blocks) {
  if (blocks.size() == blocks.capacity()) blocks.reserve(blocks.empty() ? 16 : 2 * blocks.size());
}

} // namespace

CDocumentStore::~CDocumentStore() {
  for (char* block : nodeBlocks) ::operator delete(block);
  for (char16_t* block : textBlocks) std::free(block);
}

// A document past a few hundred kilobytes is big enough to be worth large pages.
constexpr size_t kBlocksOfSmallDocument = 16;

void CDocumentStore::SizeFirstBlocks(size_t nodeBytes, size_t textUnits) {
  if (!nodeBlocks.empty() || !textBlocks.empty()) return;
  // Room for a little more than last time, so that a slightly bigger
  // document still fits.
  nodeBlockSize = std::clamp(nodeBytes + nodeBytes / 8 + 64, MIN_FIRST_NODE_BLOCK_SIZE, NODE_BLOCK_SIZE);
  textBlockSize = std::clamp(textUnits + textUnits / 8 + 32, MIN_FIRST_TEXT_BLOCK_SIZE, TEXT_BLOCK_SIZE);
  firstNodeBlockSized = firstTextBlockSized = true;
}

char* CDocumentStore::NewNodeBlock(size_t bytes) {
  MakeRoom(nodeBlocks);
  char* block = static_cast<char*>(::operator new(bytes));
  nodeBlocks.push_back(block);
  if (firstNodeBlockSized) {
    firstNodeBlockSized = false;
    nodeBlockSize = FIRST_NODE_BLOCK_SIZE;
  } else {
    nodeBlockSize = std::min(2 * nodeBlockSize, NODE_BLOCK_SIZE);
  }
  if (nodeBlocks.size() > kBlocksOfSmallDocument) Core::UseLargePagesForHeap();
  return block;
}

// Text blocks come from malloc so that a growing run can be reallocated: for
// big blocks the allocator remaps the pages instead of copying and touching
// them again.
char16_t* CDocumentStore::NewTextBlock(size_t units) {
  MakeRoom(textBlocks);
  auto* block = static_cast<char16_t*>(std::malloc(units * sizeof(char16_t)));
  if (!block) throw std::bad_alloc();
  textBlocks.push_back(block);
  if (firstTextBlockSized) {
    firstTextBlockSized = false;
    textBlockSize = FIRST_TEXT_BLOCK_SIZE;
  } else {
    textBlockSize = std::min(2 * textBlockSize, TEXT_BLOCK_SIZE);
  }
  if (textBlocks.size() > kBlocksOfSmallDocument) Core::UseLargePagesForHeap();
  return block;
}

char16_t* CDocumentStore::GrowLastTextBlock(size_t units) {
  auto* block = static_cast<char16_t*>(std::realloc(textBlocks.back(), units * sizeof(char16_t)));
  if (!block) throw std::bad_alloc();
  textBlocks.back() = block;
  return block;
}

namespace {

template <class T, class Free>
void Drop(std::vector<T*>& blocks, T* block, Free release) {
  for (size_t i = blocks.size(); i-- > 0;) {
    if (blocks[i] == block) {
      blocks.erase(blocks.begin() + ptrdiff_t(i));
      release(block);
      return;
    }
  }
}

} // namespace

// The block is nearly always among the last ones: searched from the end.
void CDocumentStore::DropNodeBlock(char* block) {
  Drop(nodeBlocks, block, [](char* b) { ::operator delete(b); });
}
void CDocumentStore::DropTextBlock(char16_t* block) {
  Drop(textBlocks, block, [](char16_t* b) { std::free(b); });
}

} // namespace Dom
