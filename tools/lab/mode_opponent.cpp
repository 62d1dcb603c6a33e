// bluffwick-lab bet and discards: the computer's decisions for scripted draws.
#include <cstdio>
#include <string>

#include "cards/cards.h"
#include "cards/random.h"
#include "lab_input.h"
#include "lab_modes.h"
#include "opponent/opponent.h"

namespace {

constexpr int RawDrawMax = 32767;

struct FieldRange {
    const char* name;
    long long low;
    long long high;
};

// Checks each value against its range; on failure says which one and why.
bool CheckFields(const long long* values, const FieldRange* ranges, int count,
                 std::string& problem) {
    for (int k = 0; k < count; ++k) {
        const FieldRange& range = ranges[k];
        if (values[k] >= range.low && values[k] <= range.high) continue;
        problem = std::string(range.name) + " " + std::to_string(values[k]) + " is outside " +
                  std::to_string(range.low) + ".." + std::to_string(range.high);
        return false;
    }
    return true;
}

// Appends a small non-negative or -1 value and a separator.
char* PutNumber(char* at, int value, char separator) {
    if (value < 0) {
        *at++ = '-';
        value = -value;
    }
    if (value >= 10) *at++ = static_cast<char>('0' + value / 10);
    *at++ = static_cast<char>('0' + value % 10);
    *at++ = separator;
    return at;
}

}  // namespace

int RunBetMode(int argc, char**) {
    if (argc != 0) return ReportBadUsage("bet takes no arguments");
    static const FieldRange Ranges[10] = {
        {"category", 0, 10},        {"money", 1, 39},           {"playerIsDealer", 0, 1},
        {"playerDrawCount", 0, 5},  {"bluffSuspected", 0, 1},   {"keepsKicker", 0, 1},
        {"draw r1", 0, RawDrawMax}, {"draw r2", 0, RawDrawMax}, {"draw r3", 0, RawDrawMax},
        {"draw r4", 0, RawDrawMax},
    };
    LineReader reader;
    OpenLineReader(reader, stdin);
    std::string_view line;
    std::string problem;
    long long values[10];
    int draws[4];
    while (ReadNextLine(reader, line)) {
        if (!ParseLineNumbers(line, 10, values, problem) ||
            !CheckFields(values, Ranges, 10, problem)) {
            return ReportBadLine(reader.lineNumber, problem);
        }
        for (int k = 0; k < 4; ++k) draws[k] = static_cast<int>(values[6 + k]);
        ScriptRandomDraws(draws, 4);
        ResetRandomDrawCount();
        const int result =
            ChooseBet(static_cast<HandCategory>(values[0]), static_cast<int>(values[1]),
                      static_cast<int>(values[2]), static_cast<int>(values[3]),
                      static_cast<int>(values[4]), static_cast<int>(values[5]));
        const int taken = static_cast<int>(CountRandomDraws());
        ClearRandomScript();
        char text[16];
        char* end = PutNumber(PutNumber(text, result, ' '), taken, '\n');
        std::fwrite(text, 1, end - text, stdout);
    }
    FlushLabOutput();
    return 0;
}

int RunDiscardsMode(int argc, char**) {
    if (argc != 0) return ReportBadUsage("discards takes no arguments");
    static const FieldRange Ranges[8] = {
        {"card code", 0, 51},       {"card code", 0, 51},       {"card code", 0, 51},
        {"card code", 0, 51},       {"card code", 0, 51},       {"draw r1", 0, RawDrawMax},
        {"draw r2", 0, RawDrawMax}, {"draw r3", 0, RawDrawMax},
    };
    LineReader reader;
    OpenLineReader(reader, stdin);
    std::string_view line;
    std::string problem;
    long long values[8];
    int draws[3];
    while (ReadNextLine(reader, line)) {
        if (!ParseLineNumbers(line, 8, values, problem) ||
            !CheckFields(values, Ranges, 8, problem)) {
            return ReportBadLine(reader.lineNumber, problem);
        }
        Hand hand{};
        for (int k = 0; k < 5; ++k) {
            for (int j = 0; j < k; ++j) {
                if (values[j] == values[k]) {
                    return ReportBadLine(reader.lineNumber,
                                         "card " + std::to_string(values[k]) + " appears twice");
                }
            }
            hand[k] = static_cast<Card>(values[k]);
        }
        for (int k = 0; k < 3; ++k) draws[k] = static_cast<int>(values[5 + k]);
        DiscardMask mask = {-1, -1, -1, -1, -1};
        ScriptRandomDraws(draws, 3);
        ResetRandomDrawCount();
        const int result = ChooseDiscards(hand, mask);
        const int taken = static_cast<int>(CountRandomDraws());
        ClearRandomScript();
        char text[32];
        char* end = PutNumber(text, result, ' ');
        for (int slot = 0; slot < 5; ++slot) end = PutNumber(end, mask[slot], ' ');
        end = PutNumber(end, taken, '\n');
        std::fwrite(text, 1, end - text, stdout);
    }
    FlushLabOutput();
    return 0;
}
