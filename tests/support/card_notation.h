// The one way tests write cards as text: rank A 2..9 T J Q K, then suit S H C D.
#pragma once

#include <string>

#include "cards/cards.h"

// "AS", "TH", "2C": one card; throws std::invalid_argument on anything else.
Card ParseCard(const std::string& text);
// "4H 4S AS KS QS": five cards separated by spaces.
Hand ParseHand(const std::string& text);
// The inverse of ParseCard; a code outside the deck reads "?" and the number,
// so a stray value shows up in a record instead of crashing it.
std::string CardText(Card card);
// Five cards as ParseHand reads them.
std::string HandText(const Hand& hand);
