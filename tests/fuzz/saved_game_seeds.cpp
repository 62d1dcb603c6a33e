// Writes saved games of one match, a few moves apart, as the fuzzer's first
// inputs: seed-NN.txt in the folder given. Each must load, or there is no
// point fuzzing from it.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

#include "cards/random.h"
#include "game/input.h"
#include "game/round.h"
#include "game/saved_game.h"
#include "game/table.h"

namespace {

std::int64_t FixedSeconds() { return 1700000000; }
int FixedHour() { return 21; }

// A player who marks a card or two, steps the bet and now and then folds.
void Move(MatchState& match, int k) {
    if (TableControlsShown().timerPeriod != 0) {
        AdvanceRound(match);
        return;
    }
    const GameInput habits[] = {Mark(k % 5), Press(UpButton), Press(FoldButton), Key(EnterKey)};
    if (!TakeInput(match, habits[k % 4])) TakeInput(match, Key(EnterKey));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    SetClockSources(FixedSeconds, FixedHour);
    SeedRandom(1234567);
    MatchState match;
    OpenTable(match);
    WriteBetBox(1);  // as the window does right after making its controls
    for (int k = 0; k < 60; ++k) {
        if (k % 2 == 0) {
            const std::string saved = SaveGame(match);
            MatchState check;
            std::string reason;
            if (!LoadGame(saved, check, reason)) {
                std::fprintf(stderr, "move %d: the saved game is refused: %s\n", k, reason.c_str());
                return 1;
            }
            char name[32];
            std::snprintf(name, sizeof name, "/seed-%02d.txt", k / 2);
            std::ofstream out(argv[1] + std::string(name), std::ios::binary);
            if (!(out << saved)) {
                std::fprintf(stderr, "%s%s cannot be written\n", argv[1], name);
                return 1;
            }
        }
        Move(match, k);
    }
    return 0;
}
