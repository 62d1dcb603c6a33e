// Helpers for the opponent's tests: readable hands and scripted draws.
#pragma once

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cards/cards.h"
#include "cards/random.h"

// "4H 4S AS KS QS": rank A 2..9 T J Q K, suit S H C D.
inline Hand ParseHand(const std::string& text) {
    static const std::string Ranks = "A23456789TJQK";
    static const std::string Suits = "SHCD";
    std::istringstream words(text);
    Hand hand{};
    for (Card& card : hand) {
        std::string word;
        words >> word;
        const auto rank = Ranks.find(word.at(0));
        const auto suit = Suits.find(word.at(1));
        if (word.size() != 2 || rank == std::string::npos || suit == std::string::npos) {
            throw std::invalid_argument("bad card " + word);
        }
        card = static_cast<Card>(suit * 13 + rank);
    }
    return hand;
}

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
