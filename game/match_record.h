// The current match deal by deal, as the table showed it: who dealt, the
// exchanges, the bet and its answer, the hands that were shown, who won and
// the money after. Kept by the round controller as each of these happens; it
// draws nothing from the random stream and changes nothing of the game.
#pragma once

#include <string>
#include <vector>

#include "cards/cards.h"
#include "cards/hand_eval.h"

enum DealAnswer { NoAnswer, CallAnswer, FoldAnswer };
enum DealWinner { NoWinnerYet, ComputerWon, PlayerWon };

struct ShownHand {
    bool shown = false;
    Hand cards{};
    HandCategory category = NoHand;
    bool operator==(const ShownHand&) const = default;
};

struct DealRecord {
    int number = 0;  // 1, 2, ... within the match
    bool playerDealt = false;
    int playerMoneyBefore = 20;  // the computer held the rest of the 40
    int playerChanged = -1;      // -1 until the player's replacements are drawn
    int computerChanged = -1;    // -1 until the computer has changed
    int bet = 0;                 // the dealer's bet, 0 until made
    // A fold is always the side that did not deal: the player may fold only to
    // the computer's bet, and the computer answers only the player's.
    DealAnswer answer = NoAnswer;
    ShownHand playerHand;    // after the exchange, face up and named
    ShownHand computerHand;  // only at a showdown
    DealWinner winner = NoWinnerYet;
    bool settled = false;  // the counters show the money below
    int playerMoney = 0;
    int computerMoney = 0;
    bool operator==(const DealRecord&) const = default;
};

struct MatchRecord {
    std::vector<DealRecord> deals;  // oldest first
    bool operator==(const MatchRecord&) const = default;
};

// ---- The round controller's hooks. Each writes into the deal in progress and
// does nothing when there is none (a game carried on from a text that held no
// record), so the record never holds half a deal it did not see begin.

// Start: a new match (or the program's first Start) clears the record first.
void RecordDealStart(MatchRecord& record, bool newMatch, bool playerDeals, int playerMoney);
void RecordPlayerDraw(MatchRecord& record, int changed, const Hand& hand, HandCategory category);
void RecordComputerChange(MatchRecord& record, int changed);
void RecordBet(MatchRecord& record, int bet);
void RecordCall(MatchRecord& record);
// The side that did not deal gave up; the dealer wins a dollar.
void RecordFold(MatchRecord& record);
// The computer's hand is shown and the stake has moved: the player won when
// `playerMoney` is above what the player held at the Start.
void RecordShowdown(MatchRecord& record, const Hand& computerHand, HandCategory category,
                    int playerMoney);
// The counters show the money after the deal.
void RecordDealClosed(MatchRecord& record, int playerMoney, int computerMoney);

// The record in words, Shift-JIS with CR LF line ends: a paragraph per deal,
// oldest first, separated by an empty line.
std::string MatchRecordWords(const MatchRecord& record);
