#include "script/builtins/RandomGenerator.h"

#include <ctime>

namespace EcmaScript {

namespace {

uint32_t g_state = 0;
bool g_seeded = false;

} // namespace

void SeedRandomGenerator(uint32_t seed) {
  g_state = seed;
  g_seeded = true;
}

bool IsRandomGeneratorSeeded() { return g_seeded; }

int32_t DrawRandom() {
  if (!g_seeded) SeedRandomGenerator(static_cast<uint32_t>(std::time(nullptr)));
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int32_t>((g_state >> 16) & 0x7FFF);
}

} // namespace EcmaScript
