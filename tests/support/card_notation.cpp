// The tests' card notation, read and written.
#include "card_notation.h"

#include <sstream>
#include <stdexcept>

namespace {

const std::string Ranks = "A23456789TJQK";
const std::string Suits = "SHCD";

}  // namespace

Card ParseCard(const std::string& text) {
    const auto rank = text.empty() ? std::string::npos : Ranks.find(text[0]);
    const auto suit = text.size() < 2 ? std::string::npos : Suits.find(text[1]);
    if (text.size() != 2 || rank == std::string::npos || suit == std::string::npos) {
        throw std::invalid_argument("bad card " + text);
    }
    return static_cast<Card>(suit * 13 + rank);
}

Hand ParseHand(const std::string& text) {
    std::istringstream words(text);
    Hand hand{};
    for (Card& card : hand) {
        std::string word;
        words >> word;
        card = ParseCard(word);
    }
    std::string extra;
    if (words >> extra) throw std::invalid_argument("more than five cards in " + text);
    return hand;
}

std::string CardText(Card card) {
    if (card < 0 || card >= DeckSize) return "?" + std::to_string(card);
    return std::string(1, Ranks[card % 13]) + Suits[card / 13];
}

std::string HandText(const Hand& hand) {
    std::string text;
    for (Card card : hand) text += (text.empty() ? "" : " ") + CardText(card);
    return text;
}
