// Helpers for the opponent's tests: readable hands and scripted draws.
#pragma once

#include <vector>

#include "card_notation.h"
#include "cards/random.h"

// Runs `call` with `script` as the next raw draws and returns how many draws
// it took. Draws past the script come from the generator, so a call that
// takes more than was scripted still shows up in the count.
template <typename Call>
long long CountDrawsOf(const std::vector<int>& script, Call call) {
    SeedRandom(12345u);
    ScriptRandomDraws(script.data(), static_cast<int>(script.size()));
    ResetRandomDrawCount();
    call();
    const long long draws = CountRandomDraws();
    ClearRandomScript();
    return draws;
}
