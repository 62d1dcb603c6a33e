// bluffwick-lab eval, rand and shuffle: the card rules and the random stream.
#include <cstdint>
#include <cstdio>

#include "cards/cards.h"
#include "cards/hand_eval.h"
#include "cards/random.h"
#include "lab_input.h"
#include "lab_modes.h"

namespace {

std::int64_t gFixedSeconds = 0;
std::int64_t ReadFixedSeconds() { return gFixedSeconds; }

}  // namespace

int RunEvalMode(int argc, char**) {
    if (argc != 0) return ReportBadUsage("eval takes no arguments");
    LineReader reader;
    OpenLineReader(reader, stdin);
    std::string_view line;
    std::string problem;
    long long codes[5];
    char name[HandNameBufferSize];
    while (ReadNextLine(reader, line)) {
        if (!ParseLineNumbers(line, 5, codes, problem))
            return ReportBadLine(reader.lineNumber, problem);
        Hand hand{};
        for (int k = 0; k < 5; ++k) {
            if (codes[k] < 0 || codes[k] > 51) {
                return ReportBadLine(reader.lineNumber,
                                     "card code " + std::to_string(codes[k]) + " is outside 0..51");
            }
            for (int j = 0; j < k; ++j) {
                if (codes[j] == codes[k]) {
                    return ReportBadLine(reader.lineNumber,
                                         "card " + std::to_string(codes[k]) + " appears twice");
                }
            }
            hand[k] = static_cast<Card>(codes[k]);
        }
        const HandCategory category = EvaluateHand(hand, name);
        char text[4] = {static_cast<char>('0' + category % 10), '\n', '\0', '\0'};
        if (category >= 10) {
            text[0] = '1';
            text[1] = static_cast<char>('0' + category % 10);
            text[2] = '\n';
        }
        std::fputs(text, stdout);
    }
    FlushLabOutput();
    return 0;
}

int RunRandMode(int argc, char** argv) {
    long long seed = 0;
    long long count = 0;
    if (argc != 2) return ReportBadUsage("rand takes SEED and N");
    if (!ParseArgument(argv[0], 0, 4294967295LL, seed)) {
        return ReportBadUsage("SEED must be a whole number from 0 to 4294967295");
    }
    if (!ParseArgument(argv[1], 0, 2147483647LL, count)) {
        return ReportBadUsage("N must be a whole number from 0 to 2147483647");
    }
    SeedRandom(static_cast<std::uint32_t>(seed));
    for (long long k = 0; k < count; ++k) std::printf("%d\n", DrawRandom());
    FlushLabOutput();
    return 0;
}

int RunShuffleMode(int argc, char** argv) {
    long long seconds = 0;
    if (argc != 1) return ReportBadUsage("shuffle takes T");
    if (!ParseArgument(argv[0], 0, 2147483647LL, seconds)) {
        return ReportBadUsage("T must be a whole number from 0 to 2147483647");
    }
    gFixedSeconds = seconds;
    SetClockSources(ReadFixedSeconds, nullptr);
    int deck[DeckSize];
    ShuffleDeck(deck, DeckSize);
    for (int k = 0; k < DeckSize; ++k) std::printf(k ? " %d" : "%d", deck[k]);
    std::printf("\n");
    FlushLabOutput();
    return 0;
}
