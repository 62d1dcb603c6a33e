// The program's one random stream and the clock that seeds it.
#pragma once

#include <cstdint>

// The Microsoft C runtime generator, written out so every platform draws the
// same sequence: state' = state * 214013 + 2531011, result = bits 16..30.
void SeedRandom(std::uint32_t seed);
int DrawRandom();  // 0..32767
// The generator's state, to be carried on later with SeedRandom(RandomState()).
std::uint32_t RandomState();

// The clock behind the seeding. The program reads the system clock; tests and
// the simulator install their own sources. nullptr restores the system's.
using ClockSecondsSource = std::int64_t (*)();
using LocalHourSource = int (*)();
void SetClockSources(ClockSecondsSource seconds, LocalHourSource hour);
std::int64_t ReadClockSeconds();  // calendar time in whole seconds
int ReadLocalHour();              // 0..23

// Test seam: the next draws return these raw values (0..32767) instead of the
// generator's, without advancing the generator; afterwards it resumes.
void ScriptRandomDraws(const int* values, int count);
void ClearRandomScript();
// How many draws were taken since the last reset, scripted or not.
long long CountRandomDraws();
void ResetRandomDrawCount();
