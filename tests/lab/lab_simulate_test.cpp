// bluffwick-lab simulate: whole matches checked event by event, the summary,
// the game record and the command line.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "run_lab.h"

namespace {

std::map<std::string, std::string> ReadSummary(const std::string& out) {
    std::map<std::string, std::string> summary;
    std::istringstream lines(out);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t colon = line.find(": ");
        if (colon != std::string::npos) summary[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return summary;
}

long long Number(const std::map<std::string, std::string>& summary, const char* key) {
    const auto found = summary.find(key);
    EXPECT_NE(found, summary.end()) << key;
    return found == summary.end() ? -1 : std::stoll(found->second);
}

std::string WithoutSpeed(const std::string& out) {
    const std::size_t start = out.find("deals_per_second: ");
    return out.substr(0, start) + out.substr(out.find('\n', start));
}

}  // namespace

TEST(LabSimulate, ManyWholeMatchesKeepEveryInvariant) {
    struct Case {
        const char* arguments;
        long long matches;
    };
    const Case cases[] = {
        {"--matches 300 --player random --seed 7 --check", 300},
        {"--matches 300 --player careful --seed 8 --time 1234567890 --check", 300},
        {"--check --seed 3 --matches 150 --time 86399", 150},
    };
    for (const Case& c : cases) {
        const LabRun run = RunLab(std::string("simulate ") + c.arguments, "");
        ASSERT_EQ(run.status, 0) << c.arguments << "\n" << run.out << run.err;
        const auto summary = ReadSummary(run.out);
        EXPECT_EQ(summary.at("invariant_violations"), "0") << c.arguments;
        EXPECT_EQ(Number(summary, "matches"), c.matches);
        EXPECT_EQ(Number(summary, "computer_match_wins") + Number(summary, "player_match_wins"),
                  c.matches);
        // Every deal ends in exactly one way: a showdown or a fold by either side.
        EXPECT_EQ(Number(summary, "showdowns") + Number(summary, "player_folds") +
                      Number(summary, "computer_folds"),
                  Number(summary, "deals"));
        EXPECT_GT(Number(summary, "deals"), 5 * c.matches) << "a match takes at least five deals";
        EXPECT_GT(Number(summary, "deals_per_second"), 0);
    }
}

TEST(LabSimulate, TheSummaryKeysComeInTheirFixedOrder) {
    const LabRun run = RunLab("simulate --matches 2", "");
    ASSERT_EQ(run.status, 0) << run.err;
    const char* const keys[] = {"matches",           "deals",           "showdowns",
                                "player_folds",      "computer_folds",  "computer_match_wins",
                                "player_match_wins", "deals_per_second"};
    std::istringstream lines(run.out);
    std::string line;
    for (const char* key : keys) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line.rfind(std::string(key) + ": ", 0), 0u) << line;
    }
    EXPECT_EQ(run.out.find("invariant_violations"), std::string::npos) << "only with --check";
}

TEST(LabSimulate, ARunIsRepeatableAndThePlayersSeedIsItsOwn) {
    const std::string first = RunLab("simulate --matches 20 --seed 5", "").out;
    EXPECT_EQ(WithoutSpeed(first), WithoutSpeed(RunLab("simulate --seed 5 --matches 20", "").out));
    EXPECT_NE(WithoutSpeed(first), WithoutSpeed(RunLab("simulate --matches 20 --seed 6", "").out));
    EXPECT_NE(WithoutSpeed(first),
              WithoutSpeed(RunLab("simulate --matches 20 --seed 5 --time 1700000001", "").out));
    EXPECT_EQ(ReadSummary(RunLab("simulate --matches 0", "").out).at("deals"), "0");
}

TEST(LabSimulate, TheTraceIsAGameRecordOnTheVirtualClock) {
    // 1700000000 is 22:13 UTC: the evening greeting. The first Start comes
    // 3 s later, so its shuffle is the one of second 1700000003.
    const LabRun run = RunLab("simulate --matches 1 --trace --time 1700000000", "");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("0 DrawCardBack(0)\n", 0), 0u);
    EXPECT_NE(
        run.out.find(u8"\n0 ShowSpeech(やあ、こんばんは\\n\\nそれではゲームを始めるとしよう\\n\\n"
                     u8"スタートボタンを押してくれたまえ)\n3000 Press(StartButton)\n3000 "
                     u8"ClearHandNames()\n"),
        std::string::npos);
    std::istringstream deck(RunLab("shuffle 1700000003", "").out);
    int codes[10];
    for (int& code : codes) deck >> code;
    const char* const suits = "SHCD";
    const char* const ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    for (int i = 0; i < 5; ++i) {
        const std::string face = "3000 DrawCardFace(" + std::to_string(5 + i) + ", " +
                                 suits[codes[5 + i] / 13] + ranks[codes[5 + i] % 13] + ")\n";
        EXPECT_NE(run.out.find(face), std::string::npos) << face;
    }

    // Times never run backwards, and each tick comes one armed period after the arming.
    std::istringstream lines(run.out);
    std::string line;
    long long last = 0;
    long long armedAt = -1;
    long long period = 0;
    int ticks = 0;
    while (std::getline(lines, line) && line.find(": ") == std::string::npos) {
        const long long at = std::stoll(line.substr(0, line.find(' ')));
        EXPECT_GE(at, last) << line;
        last = at;
        const std::string what = line.substr(line.find(' ') + 1);
        if (what.rfind("Arm(RoundTimer, ", 0) == 0) {
            armedAt = at;
            period = std::stoll(what.substr(16));
        } else if (what == "Tick(RoundTimer)") {
            ++ticks;
            EXPECT_GE(at - armedAt, period) << line;
            EXPECT_EQ((at - armedAt) % period, 0) << line;
        }
    }
    EXPECT_GT(ticks, 10);
    EXPECT_NE(run.out.find("matches: 1\n"), std::string::npos);
}

TEST(LabSimulate, BadArgumentsStopWithStatusTwo) {
    struct Case {
        const char* arguments;
        const char* message;
    };
    const Case cases[] = {
        {"simulate --matches", "--matches needs a value"},
        {"simulate --matches -1", "--matches must be"},
        {"simulate --matches ten", "--matches must be"},
        {"simulate --player lucky", "--player must be random or careful"},
        {"simulate --seed", "--seed needs a value"},
        {"simulate --seed x", "--seed must be"},
        {"simulate --time -5", "--time must be"},
        {"simulate --fast", "unknown argument '--fast'"},
        {"simulate --seed 1 --seed 2", "--seed given twice"},
    };
    for (const Case& c : cases) {
        const LabRun run = RunLab(c.arguments, "");
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
}

TEST(LabSimulate, TheRecordOfEachMatchFollowsItAndChangesNothingElse) {
    const std::string arguments = "simulate --matches 3 --seed 4 --player careful";
    const LabRun plain = RunLab(arguments, "");
    const LabRun recorded = RunLab(arguments + " --record", "");
    ASSERT_EQ(recorded.status, 0) << recorded.err;
    // The records come before the summary, which is the same as without them.
    const std::size_t summary = recorded.out.find("matches: ");
    EXPECT_EQ(WithoutSpeed(recorded.out.substr(summary)), WithoutSpeed(plain.out));
    std::istringstream lines(recorded.out.substr(0, summary));
    std::string line;
    int matches = 0, deals = 0, expected = 0;
    std::string money;
    while (std::getline(lines, line)) {
        if (line == "record of match " + std::to_string(matches + 1) + ":") {
            EXPECT_TRUE(matches == 0 || money.find(u8" 40ドル") != std::string::npos) << money;
            ++matches;
            expected = 1;
        } else if (line.rfind(u8"第", 0) == 0) {
            EXPECT_EQ(
                line.rfind(u8"第" + std::to_string(expected++) + u8"ディール　ディーラー：", 0), 0u)
                << line;
            ++deals;
        } else if (line.rfind(u8"所持金：", 0) == 0) {
            money = line;
        }
    }
    EXPECT_EQ(matches, 3);
    EXPECT_NE(money.find(u8" 40ドル"), std::string::npos) << "the match ends with one side at 40";
    EXPECT_EQ(deals, Number(ReadSummary(plain.out), "deals"));
}
