// Any bytes given to the saved game's reader: no crash and no undefined
// behaviour; a refused text leaves the game as it was, and an accepted one
// saves to a text that loads again and saves the same.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/saved_game.h"

namespace {

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "saved game: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The game carries on from input to input, as it would in a program.
    static MatchState match;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string before = SaveGame(match);
    std::string reason;
    if (!LoadGame(text, match, reason)) {
        Require(!reason.empty(), "a text was refused without a reason");
        Require(SaveGame(match) == before, "a refused text changed the game");
        return 0;
    }
    const std::string saved = SaveGame(match);
    MatchState again;
    Require(LoadGame(saved, again, reason), "the save of a loaded game is refused");
    Require(SaveGame(again) == saved, "the save of a loaded game loads as another game");
    return 0;
}
