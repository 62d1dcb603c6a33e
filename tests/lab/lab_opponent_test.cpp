// bluffwick-lab bet and discards as other tools call them.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sstream>
#include <string>

#include "cards/random.h"
#include "opponent/opponent.h"
#include "run_lab.h"

namespace {

TEST(LabBet, PrintsResultAndDrawsTaken) {
    const LabRun run = RunLab("bet",
                              "0 20 0 0 0 0 97 95 3 0\n"  // roll, p, R5
                              "0 39 0 1 0 0 0 0 0 0\n"    // no draw at all
                              "\n"
                              "8 10 0 1 0 0 10 2 0 0\r\n"     // roll, R4
                              "1 20 1 2 1 1 50 7 10 0\n"      // roll, q, g
                              "1 12 1 2 0 1 94 1 95 32764\n"  // roll, q, f, R5
                              "0 5 1 3 1 1 0 0 0 0\n"         // folds with no draw
                              "7 1 1 2 0 1 5 5 5 5");         // no newline at the end
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "9 3\n1 0\n9 2\n10 3\n10 4\n0 0\n1 0\n");
    EXPECT_EQ(run.err, "");
}

TEST(LabDiscards, PrintsResultMaskAndDrawsTaken) {
    // Codes: suit * 13 + rank - 1, suits spades, hearts, clubs, diamonds.
    const LabRun run = RunLab("discards",
                              "2 15 28 41 6 0 0 0\n"         // four 3s and a 7: the 7 goes
                              "2 15 28 32 45 0 0 0\n"        // full house: mask untouched
                              "1 40 29 17 10 50 10 3\n"      // 2S 2D 4C 5H JS: third draw keeps J
                              "1 17 33 49 12 89 0 0\n"       // 2S 5H 8C JD KS: all five
                              "1 17 33 49 12 32690 0 0\n");  // ...or now and then none
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "1 0 0 0 0 1 0\n"
              "0 -1 -1 -1 -1 -1 0\n"
              "1 0 0 1 1 0 3\n"
              "1 1 1 1 1 1 1\n"
              "0 0 0 0 0 0 1\n");
}

TEST(LabOpponent, StopsAtTheFirstBadLine) {
    struct Case {
        const char* mode;
        const char* input;
        const char* message;
        const char* out;
    };
    const Case cases[] = {
        {"bet", "1 20 1 1 0 0 50 0 0 0\n11 20 0 0 0 0 0 0 0 0\n",
         "line 2: category 11 is outside 0..10", "2 1\n"},
        {"bet", "-1 20 0 0 0 0 0 0 0 0\n", "line 1: category -1 is outside 0..10", ""},
        {"bet", "1 0 0 0 0 0 0 0 0 0\n", "line 1: money 0 is outside 1..39", ""},
        {"bet", "1 40 0 0 0 0 0 0 0 0\n", "line 1: money 40 is outside 1..39", ""},
        {"bet", "1 20 2 0 0 0 0 0 0 0\n", "line 1: playerIsDealer 2 is outside 0..1", ""},
        {"bet", "1 20 0 6 0 0 0 0 0 0\n", "line 1: playerDrawCount 6 is outside 0..5", ""},
        {"bet", "1 20 1 1 -1 0 0 0 0 0\n", "line 1: bluffSuspected -1 is outside 0..1", ""},
        {"bet", "1 20 1 1 0 2 0 0 0 0\n", "line 1: keepsKicker 2 is outside 0..1", ""},
        {"bet", "1 20 1 1 0 0 0 0 0 32768\n", "line 1: draw r4 32768 is outside 0..32767", ""},
        {"bet", "1 20 1 1 0 0 -5 0 0 0\n", "line 1: draw r1 -5 is outside 0..32767", ""},
        {"bet", "\n\n1 20 1 1 0 0 0 0 0\n", "line 3: expected 10 numbers, found 9", ""},
        {"bet", "1 20 1 1 0 0 0 0 0 0 0\n", "line 1: expected 10 numbers, found 11", ""},
        {"bet", "1 20 1 1 0 0 0 0 0 x\n", "line 1: 'x' is not a number", ""},
        {"discards", "0 1 2 3 52 0 0 0\n", "line 1: card code 52 is outside 0..51", ""},
        {"discards", "0 14 2 3 5 0 0 0\n0 14 2 3 0 0 0 0\n", "line 2: card 0 appears twice",
         "1 0 1 0 0 0 0\n"},
        {"discards", "0 1 2 3 5 0 32768 0\n", "line 1: draw r2 32768 is outside 0..32767", ""},
        {"discards", "0 1 2 3 5 0 0\n", "line 1: expected 8 numbers, found 7", ""},
    };
    for (const Case& c : cases) {
        const LabRun run = RunLab(c.mode, c.input);
        EXPECT_EQ(run.status, 2) << c.input;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.input << " -> " << run.err;
        EXPECT_EQ(run.out, c.out) << c.input;
    }
    EXPECT_EQ(RunLab("bet 1", "").status, 2);
    EXPECT_EQ(RunLab("discards x", "").status, 2);
}

// Both modes stream: a few hundred thousand lines, and every answer must be
// what the opponent itself gives for the same draws.
TEST(LabOpponent, StreamsManyLinesWithTheOpponentsOwnAnswers) {
    constexpr int Lines = 300000;
    SeedRandom(20261208u);
    std::ostringstream betInput;
    std::ostringstream betExpected;
    std::ostringstream discardInput;
    std::ostringstream discardExpected;
    for (int k = 0; k < Lines; ++k) {
        const int args[6] = {DrawRandom() % 11, DrawRandom() % 39 + 1, DrawRandom() % 2,
                             DrawRandom() % 6,  DrawRandom() % 2,      DrawRandom() % 2};
        int draws[4];
        for (int& draw : draws) draw = DrawRandom();
        for (int arg : args) betInput << arg << ' ';
        betInput << draws[0] << ' ' << draws[1] << ' ' << draws[2] << ' ' << draws[3] << '\n';

        int codes[5];
        for (int slot = 0; slot < 5; ++slot) {
            bool repeated = true;
            while (repeated) {
                codes[slot] = DrawRandom() % 52;
                repeated = false;
                for (int j = 0; j < slot; ++j) repeated = repeated || codes[j] == codes[slot];
            }
            discardInput << codes[slot] << ' ';
        }
        discardInput << draws[0] << ' ' << draws[1] << ' ' << draws[2] << '\n';

        // The in-process answers, with the same scripted draws.
        ScriptRandomDraws(draws, 4);
        ResetRandomDrawCount();
        const int bet = ChooseBet(static_cast<HandCategory>(args[0]), args[1], args[2], args[3],
                                  args[4], args[5]);
        betExpected << bet << ' ' << CountRandomDraws() << '\n';
        const Hand hand = {codes[0], codes[1], codes[2], codes[3], codes[4]};
        DiscardMask mask = {-1, -1, -1, -1, -1};
        ScriptRandomDraws(draws, 3);
        ResetRandomDrawCount();
        const int result = ChooseDiscards(hand, mask);
        discardExpected << result;
        for (int m : mask) discardExpected << ' ' << m;
        discardExpected << ' ' << CountRandomDraws() << '\n';
        ClearRandomScript();
    }

    // The lab's own processor time: the wall clock follows whatever else the
    // machine runs beside the tests.
    const auto childSeconds = [] {
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        const auto at = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
        };
        return at(usage.ru_utime) + at(usage.ru_stime);
    };
    const double start = childSeconds();
    const LabRun bets = RunLab("bet", betInput.str());
    const LabRun discards = RunLab("discards", discardInput.str());
    const double seconds = childSeconds() - start;
    ASSERT_EQ(bets.status, 0) << bets.err;
    ASSERT_EQ(discards.status, 0) << discards.err;
    EXPECT_TRUE(bets.out == betExpected.str());
    EXPECT_TRUE(discards.out == discardExpected.str());
    EXPECT_LT(seconds, 5.0) << "600,000 lines should take well under a second of processor time";
}

}  // namespace
