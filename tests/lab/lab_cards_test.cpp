// bluffwick-lab eval, rand and shuffle as other tools call them.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

#include "cards/cards.h"
#include "cards/random.h"
#include "run_lab.h"
#include "shuffle_ranking.h"

TEST(LabEval, PrintsOneCategoryPerHandAndSkipsEmptyLines) {
    const LabRun run = RunLab("eval",
                              "0 1 2 3 4\n"  // not a straight: A-2-3-4-5 of spades -> 9
                              "\n"
                              "0 13 26 39 5\r\n"  // four aces
                              "0 9 10 11 12\n"    // royal straight flush
                              "1 15 30 44 11");   // no newline at the end
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "9\n8\n10\n0\n");
    EXPECT_EQ(run.err, "");
}

TEST(LabEval, StopsAtTheFirstBadLine) {
    struct Case {
        const char* input;
        const char* message;
    };
    const Case cases[] = {
        {"0 1 2 3 4\n0 1 2 3\n5 6 7 8 9\n", "line 2: expected 5 numbers, found 4"},
        {"0 1 2 3 4\n\n0 1 2 3 52\n", "line 3: card code 52 is outside 0..51"},
        {"0 1 2 3 -1\n", "line 1: card code -1 is outside 0..51"},
        {"0 1 2 3 4\n7 8 9 7 10\n", "line 2: card 7 appears twice"},
        {"0 1 two 3 4\n", "line 1: 'two' is not a number"},
        {"0 1 2 3 4 5\n", "line 1: expected 5 numbers, found 6"},
        {"99999999999999999999 1 2 3 4\n", "line 1: '99999999999999999999' is not a number"},
    };
    for (const Case& c : cases) {
        const LabRun run = RunLab("eval", c.input);
        EXPECT_EQ(run.status, 2) << c.input;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        if (std::string(c.input).rfind("0 1 2 3 4\n", 0) == 0) {
            EXPECT_EQ(run.out, "9\n") << "earlier output must stay printed";
        }
    }
}

TEST(LabRand, PrintsTheStreamForAnyUnsignedSeed) {
    LabRun run = RunLab("rand 1 5", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "41\n18467\n6334\n26500\n19169\n");

    run = RunLab("rand 4294967295 3", "");
    EXPECT_EQ(run.status, 0);
    SeedRandom(4294967295u);
    std::ostringstream expected;
    for (int k = 0; k < 3; ++k) expected << DrawRandom() << "\n";
    EXPECT_EQ(run.out, expected.str());

    EXPECT_EQ(RunLab("rand 1 0", "").out, "");
    for (const char* bad : {"rand", "rand 1", "rand -1 5", "rand 4294967296 1", "rand x 1",
                            "rand 1 -2", "rand 1 5 6"}) {
        EXPECT_EQ(RunLab(bad, "").status, 2) << bad;
    }
}

TEST(LabShuffle, PrintsTheDeckForAClockReading) {
    const std::int64_t seconds = 1700000000;
    const LabRun run = RunLab("shuffle 1700000000", "");
    ASSERT_EQ(run.status, 0) << run.err;

    SeedRandom(static_cast<std::uint32_t>(seconds));
    int keys[DeckSize];
    for (int& key : keys) key = DrawRandom();
    int deck[DeckSize];
    RankShuffleKeysLiteral(keys, deck, DeckSize);
    std::ostringstream expected;
    for (int k = 0; k < DeckSize; ++k) expected << (k ? " " : "") << deck[k];
    expected << "\n";
    EXPECT_EQ(run.out, expected.str());

    EXPECT_EQ(RunLab("shuffle 0", "").status, 0);
    EXPECT_EQ(RunLab("shuffle 2147483647", "").status, 0);
    EXPECT_EQ(RunLab("shuffle 2147483648", "").status, 2);
    EXPECT_EQ(RunLab("shuffle -1", "").status, 2);
    EXPECT_EQ(RunLab("shuffle", "").status, 2);
}

TEST(LabUsage, HelpAndUnknownModes) {
    LabRun run = RunLab("--help", "");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("usage: bluffwick-lab"), std::string::npos);
    run = RunLab("juggle", "");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("unknown mode 'juggle'"), std::string::npos);
    EXPECT_EQ(RunLab("", "").status, 2);
}
