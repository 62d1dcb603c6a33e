// The one random stream, its scripted draws and the clock seam.
#include <gtest/gtest.h>

#include <cstdint>

#include "cards/random.h"

TEST(RandomStream, IsTheRuntimeGenerator) {
    SeedRandom(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169};
    for (int value : expected) EXPECT_EQ(DrawRandom(), value);

    // The state wraps modulo 2^32 and only bits 16..30 come out.
    SeedRandom(0xFFFFFFFFu);
    std::uint32_t state = 0xFFFFFFFFu;
    for (int k = 0; k < 1000; ++k) {
        state = state * 214013u + 2531011u;
        ASSERT_EQ(DrawRandom(), static_cast<int>((state >> 16) & 0x7FFF));
    }
}

TEST(RandomStream, ScriptedDrawsAreCountedAndLeaveTheGeneratorAlone) {
    SeedRandom(1);
    ResetRandomDrawCount();
    const int script[] = {97, 95, 3};
    ScriptRandomDraws(script, 3);
    EXPECT_EQ(DrawRandom(), 97);
    EXPECT_EQ(DrawRandom(), 95);
    EXPECT_EQ(DrawRandom(), 3);
    EXPECT_EQ(DrawRandom(), 41);  // the generator resumes where it stood
    EXPECT_EQ(CountRandomDraws(), 4);
    ScriptRandomDraws(script, 3);
    ClearRandomScript();
    EXPECT_EQ(DrawRandom(), 18467);
    ResetRandomDrawCount();
    EXPECT_EQ(CountRandomDraws(), 0);
}

namespace {
std::int64_t FixedSeconds() { return 86400; }
int FixedHour() { return 3; }
}  // namespace

TEST(ClockSeam, SourcesCanBeFixedAndRestored) {
    SetClockSources(FixedSeconds, FixedHour);
    EXPECT_EQ(ReadClockSeconds(), 86400);
    EXPECT_EQ(ReadLocalHour(), 3);
    SetClockSources(nullptr, nullptr);
    EXPECT_GT(ReadClockSeconds(), 1600000000);  // the real clock again
    const int hour = ReadLocalHour();
    EXPECT_TRUE(hour >= 0 && hour <= 23);
}
