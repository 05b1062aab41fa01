#pragma once
// The process-wide pseudo-random generator behind Math.random: a linear
// congruential generator (state = state * 214013 + 2531011 modulo 2^32,
// draws of bits 16 to 30), seeded once per process.
#include <cstdint>

namespace EcmaScript {

// Sets the state and marks the generator seeded (scriptrun --seed).
void SeedRandomGenerator(uint32_t seed);
bool IsRandomGeneratorSeeded();
// The next draw, 0 to 32767. An unseeded generator is first seeded with
// the current time in whole seconds.
int32_t DrawRandom();

} // namespace EcmaScript
