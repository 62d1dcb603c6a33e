// The saved game's text: one "name values..." line per field, in a fixed
// order, texts as hexadecimal Shift-JIS. Reading checks every field against
// what play can reach before anything is replaced.
#include "game/saved_game.h"

#include <cstdarg>
#include <cstdint>
#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "cards/hand_eval.h"
#include "cards/random.h"
#include "game/dialogue.h"
#include "game/round.h"
#include "game/shown_table.h"
#include "game/table.h"

namespace {

constexpr const char* Magic = "bluffwick-game";

std::string Hex(const std::string& bytes) {
    static const char Digits[] = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : bytes) {
        hex += Digits[c >> 4];
        hex += Digits[c & 15];
    }
    return hex;
}

// "-" for a text not shown, "=" for an empty one, else its bytes in hex.
std::string Text(bool shown, const std::string& bytes) {
    if (!shown) return "-";
    return bytes.empty() ? "=" : Hex(bytes);
}

// One "name values..." line.
void PutInts(std::string& out, const char* name, const int* values, int count) {
    out += name;
    for (int k = 0; k < count; ++k) {
        out += ' ';
        out += std::to_string(values[k]);
    }
    out += '\n';
}

void PutWords(std::string& out, const char* name, const std::string& words) {
    out += name;
    out += ' ';
    out += words;
    out += '\n';
}

// ---- Reading: every line is split into words first, then checked.

struct Reader {
    std::vector<std::vector<std::string>> lines;
    std::size_t at = 0;
    std::string reason;

    // Keeps the first reason only: later ones follow from it. printf-style,
    // since strings built from pieces would swell the page's WebAssembly.
    bool Fail(const char* format, ...) {
        if (!reason.empty()) return false;
        char why[200];
        std::va_list arguments;
        va_start(arguments, format);
        std::vsnprintf(why, sizeof why, format, arguments);
        va_end(arguments);
        reason = why;
        return false;
    }

    // The next line, which must be `name` with exactly `count` values.
    const std::vector<std::string>* Line(const char* name, std::size_t count) {
        if (at >= lines.size()) {
            Fail("the text ends before \"%s\"", name);
            return nullptr;
        }
        const std::vector<std::string>& words = lines[at];
        if (words.empty() || words[0] != name) {
            Fail("line %d is not \"%s\"", static_cast<int>(at + 1), name);
            return nullptr;
        }
        if (words.size() != count + 1) {
            Fail("\"%s\" needs %d values", name, static_cast<int>(count));
            return nullptr;
        }
        ++at;
        return &words;
    }
};

// A decimal integer of at most ten digits, with an optional minus sign.
bool ParseInt(const std::string& word, long long& value) {
    std::size_t k = word.size() > 0 && word[0] == '-' ? 1 : 0;
    if (word.size() == k || word.size() - k > 10) return false;
    value = 0;
    for (; k < word.size(); ++k) {
        if (word[k] < '0' || word[k] > '9') return false;
        value = value * 10 + (word[k] - '0');
    }
    if (word[0] == '-') value = -value;
    return true;
}

bool Ints(Reader& in, const char* name, int* out, std::size_t count, long long least,
          long long most) {
    const std::vector<std::string>* words = in.Line(name, count);
    if (!words) return false;
    for (std::size_t k = 0; k < count; ++k) {
        long long value = 0;
        if (!ParseInt((*words)[k + 1], value))
            return in.Fail("\"%s\" holds a value that is no number", name);
        if (value < least || value > most)
            return in.Fail("\"%s\" holds %lld, outside %lld..%lld", name, value, least, most);
        out[k] = static_cast<int>(value);
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool ReadText(Reader& in, const std::string& word, std::size_t most, bool& shown,
              std::string& bytes, const char* what) {
    shown = word != "-";
    bytes.clear();
    if (word == "-" || word == "=") return true;
    if (word.size() % 2 != 0 || word.size() / 2 >= most)
        return in.Fail("the %s has a wrong length", what);
    for (std::size_t k = 0; k < word.size(); k += 2) {
        const int high = HexDigit(word[k]);
        const int low = HexDigit(word[k + 1]);
        if (high < 0 || low < 0 || (high == 0 && low == 0))
            return in.Fail("the %s is not hexadecimal text", what);
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

bool Flags(Reader& in, const char* name, bool* out, std::size_t count) {
    const std::vector<std::string>* words = in.Line(name, 1);
    if (!words) return false;
    const std::string& bits = (*words)[1];
    if (bits.size() != count) return in.Fail("\"%s\" has a wrong length", name);
    for (std::size_t k = 0; k < count; ++k) {
        if (bits[k] != '0' && bits[k] != '1')
            return in.Fail("\"%s\" holds more than 0 and 1", name);
        out[k] = bits[k] == '1';
    }
    return true;
}

bool IsRoundState(int value) {
    return (value >= RoundIdle && value <= RoundShowdown) || value == RoundSettled;
}

// Which controls each step may leave enabled, with RoundTimer armed or not;
// bits by control - StartButton.
constexpr unsigned Bit(TableControl control) { return 1u << (control - StartButton); }

bool ControlsFitStep(const MatchState& match, const TableControls& controls) {
    unsigned enabled = 0;
    for (int k = 0; k < ControlCount; ++k) {
        if (controls.enabled[k]) enabled |= 1u << k;
    }
    const int timer = controls.timerPeriod;
    const auto armedWith = [timer](std::initializer_list<int> periods) {
        for (int period : periods) {
            if (timer == period) return true;
        }
        return false;
    };
    switch (match.roundState) {
    case RoundIdle:
    case RoundSelecting:
        return timer == 0 &&
               enabled == Bit(match.roundState == RoundIdle ? StartButton : ChangeButton);
    case RoundPlayerDraw: return enabled == 0 && timer == 500;
    case RoundComputerTurn:
    case RoundComputerDiscard: return enabled == 0 && timer == 1000;
    case RoundComputerDraw: return enabled == 0 && timer == 700;
    case RoundBetting:
        if (timer != 0) return enabled == 0 && armedWith({700, 1000});
        return enabled == (match.playerIsDealer
                               ? Bit(BetBox) | Bit(UpButton) | Bit(DownButton) | Bit(OkButton)
                               : Bit(BetBox) | Bit(OkButton) | Bit(FoldButton));
    case RoundShowdown: return enabled == Bit(BetBox) && timer == 1000;
    case RoundSettled:
        if (timer != 0) return enabled == Bit(BetBox) && armedWith({800, 1000, 1500, 2000});
        return enabled == Bit(StartButton);
    }
    return false;
}

bool ReadMatch(Reader& in, MatchState& m, std::uint32_t& random) {
    int money[2], dealer, round, next, hands[10], discards[10], categories[2], bets[2], fold, drawn,
        observation[7];
    if (!Ints(in, "money", money, 2, 0, 40) || !Ints(in, "dealer", &dealer, 1, 0, 1) ||
        !Ints(in, "round", &round, 1, 0, 9))
        return false;
    if (money[0] + money[1] != 40) return in.Fail("the money does not add up to 40");
    if (!IsRoundState(round)) return in.Fail("there is no round step %d", round);
    int deck[DeckSize];
    if (!Ints(in, "deck", deck, DeckSize, 0, DeckSize - 1) || !Ints(in, "next", &next, 1, 10, 20) ||
        !Ints(in, "hands", hands, 10, 0, DeckSize - 1) ||
        !Ints(in, "discards", discards, 10, 0, 1) ||
        !Ints(in, "categories", categories, 2, NoHand, RoyalStraightFlush) ||
        !Ints(in, "bets", bets, 2, 0, 11) || !Ints(in, "fold", &fold, 1, 0, 1000000) ||
        !Ints(in, "drawn", &drawn, 1, 0, 5))
        return false;
    bool seen[DeckSize] = {};
    for (int card : deck) {
        if (seen[card]) return in.Fail("the deck is not 52 different cards");
        seen[card] = true;
    }
    // Every card in a hand came off the deck before `next`, and no card twice.
    bool held[DeckSize] = {};
    for (int card : hands) {
        bool dealt = false;
        for (int k = 0; k < next; ++k) dealt = dealt || deck[k] == card;
        if (!dealt || held[card]) return in.Fail("a hand holds a card the deck did not deal");
        held[card] = true;
    }
    if (bets[0] < LowestBet || bets[0] > HighestBet)
        return in.Fail("the player's bet is outside %d..%d", LowestBet, HighestBet);
    if (!Ints(in, "observation", observation, 7, -1, 1000000)) return false;
    if (observation[0] < 0 || observation[0] > 1 || observation[1] < 0 || observation[2] < 0 ||
        observation[3] < 0 || observation[4] < 0 || observation[4] > 10 || observation[5] < 0 ||
        observation[5] > 10 || observation[6] > 5)
        return in.Fail("the observation of the player holds a value play cannot reach");
    const std::vector<std::string>* words = in.Line("random", 1);
    long long value = 0;
    if (!words) return false;
    if (!ParseInt((*words)[1], value) || value < 0 || value > 0xFFFFFFFFLL)
        return in.Fail("the random stream's state is no 32-bit number");
    random = static_cast<std::uint32_t>(value);

    m.playerMoney = money[0];
    m.computerMoney = money[1];
    m.playerIsDealer = dealer;
    m.roundState = static_cast<RoundState>(round);
    for (int k = 0; k < DeckSize; ++k) m.deal.deck[k] = deck[k];
    m.deal.nextCard = next;
    for (int k = 0; k < 5; ++k) {
        m.deal.computerHand[k] = hands[k];
        m.deal.playerHand[k] = hands[5 + k];
        m.deal.playerDiscards[k] = discards[k];
        m.deal.computerDiscards[k] = discards[5 + k];
    }
    m.playerCategory = static_cast<HandCategory>(categories[0]);
    m.computerCategory = static_cast<HandCategory>(categories[1]);
    m.playerBet = bets[0];
    m.computerBet = bets[1];
    m.foldStreak = fold;
    m.playerDrawCount = drawn;
    PlayerObservation& o = m.observation;
    o.keepsKicker = observation[0];
    o.betsOver2 = observation[1];
    o.betsOver3 = observation[2];
    o.betsOver4 = observation[3];
    o.lastWonBet = observation[4];
    o.prevWonBet = observation[5];
    o.prevDealerDrawCount = observation[6];
    return true;
}

bool ReadPicture(Reader& in, ShownTable& shown) {
    int slots[2 * SlotCount], counters[2];
    if (!Ints(in, "slots", slots, 2 * SlotCount, 0, DeckSize - 1)) return false;
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slots[2 * slot] > SlotShowsEmpty) return in.Fail("a slot shows no known picture");
        shown.slots[slot] = static_cast<SlotShown>(slots[2 * slot]);
        shown.cards[slot] = shown.slots[slot] == SlotShowsFace ? slots[2 * slot + 1] : 0;
    }
    if (!Flags(in, "marks", shown.faceMarked, DeckSize)) return false;
    const std::vector<std::string>* words = in.Line("mouths", 3);
    if (!words) return false;
    shown.mouthCount = 0;
    for (int k = 1; k <= 3; ++k) {
        long long mouth = 0;
        if ((*words)[k] == "-") continue;
        if (!ParseInt((*words)[k], mouth) || mouth < MouthClosed || mouth > MouthOpen)
            return in.Fail("a mouth is no known picture");
        for (int j = 0; j < shown.mouthCount; ++j) {
            if (shown.mouths[j] == mouth) return in.Fail("a mouth is drawn twice");
        }
        shown.mouths[shown.mouthCount++] = static_cast<MouthPicture>(mouth);
    }
    if (shown.mouthCount == 0) return in.Fail("no mouth is drawn");
    if (!Ints(in, "counters", counters, 2, 0, 40)) return false;
    shown.computerMoney = counters[0];
    shown.playerMoney = counters[1];
    words = in.Line("speech", 1);
    if (!words ||
        !ReadText(in, (*words)[1], LineBufferSize, shown.speechShown, shown.speech, "speech"))
        return false;
    for (int side = 0; side < 2; ++side) {
        words = in.Line(side == 0 ? "computer-name" : "player-name", 2);
        if (!words) return false;
        long long category = 0;
        if ((*words)[1] == "-") {
            shown.nameShown[side] = false;
            continue;
        }
        if (!ParseInt((*words)[1], category) || category < NoHand || category > RoyalStraightFlush)
            return in.Fail("a hand name has no known category");
        shown.categories[side] = static_cast<HandCategory>(category);
        bool present = false;
        if (!ReadText(in, (*words)[2], HandNameBufferSize, present, shown.names[side], "hand name"))
            return false;
        shown.nameShown[side] = true;
    }
    return true;
}

bool ReadControls(Reader& in, TableControls& controls) {
    if (!Flags(in, "controls", controls.enabled, ControlCount)) return false;
    int box = 0;
    if (!Ints(in, "betbox", &box, 1, LowestBet, HighestBet)) return false;
    std::snprintf(controls.betBox, sizeof controls.betBox, "%d", box);
    return Ints(in, "timer", &controls.timerPeriod, 1, 0, 2000);
}

// ---- The record of the match: one "deal" line per deal, oldest first:
//   deal NUMBER DEALER(p|c) PLAYER-MONEY-BEFORE PLAYER-CHANGED COMPUTER-CHANGED BET
//        ANSWER(call|fold) PLAYER-HAND COMPUTER-HAND WINNER(p|c) PLAYER-MONEY COMPUTER-MONEY
// with "-" for what the deal has not reached yet and hands as five codes
// joined by dots.

constexpr std::size_t DealValues = 12;

std::string Known(int value) { return value < 0 ? "-" : std::to_string(value); }

std::string HandWord(const ShownHand& hand) {
    if (!hand.shown) return "-";
    std::string word;
    for (Card card : hand.cards) {
        if (!word.empty()) word += '.';
        word += std::to_string(card);
    }
    return word;
}

void PutDeal(std::string& out, const DealRecord& d) {
    static const char* const Answers[] = {"-", "call", "fold"};
    static const char* const Winners[] = {"-", "c", "p"};
    out += "deal " + std::to_string(d.number) + (d.playerDealt ? " p " : " c ") +
           std::to_string(d.playerMoneyBefore) + ' ' + Known(d.playerChanged) + ' ' +
           Known(d.computerChanged) + ' ' + Known(d.bet > 0 ? d.bet : -1) + ' ' +
           Answers[d.answer] + ' ' + HandWord(d.playerHand) + ' ' + HandWord(d.computerHand) + ' ' +
           Winners[d.winner] + ' ' + Known(d.settled ? d.playerMoney : -1) + ' ' +
           Known(d.settled ? d.computerMoney : -1) + '\n';
}

// A value of a deal line: a number in least..most, or "-" (read as -1) where allowed.
bool DealValue(Reader& in, const std::string& word, int least, int most, bool dash, int& out) {
    if (dash && word == "-") {
        out = -1;
        return true;
    }
    long long value = 0;
    if (!ParseInt(word, value) || value < least || value > most)
        return in.Fail("a deal of the record holds \"%s\" where %d..%d belongs", word.c_str(),
                       least, most);
    out = static_cast<int>(value);
    return true;
}

bool ReadHand(Reader& in, const std::string& word, ShownHand& hand) {
    hand = ShownHand{};
    if (word == "-") return true;
    if (std::count(word.begin(), word.end(), '.') != 4)
        return in.Fail("a hand of the record is not five cards");
    std::size_t at = 0;
    for (int k = 0; k < 5; ++k) {
        const std::size_t dot = k < 4 ? word.find('.', at) : word.size();
        if (!DealValue(in, word.substr(at, dot - at), 0, DeckSize - 1, false, hand.cards[k]))
            return false;
        for (int j = 0; j < k; ++j) {
            if (hand.cards[j] == hand.cards[k])
                return in.Fail("a hand of the record holds a card twice");
        }
        at = dot + 1;
    }
    char name[HandNameBufferSize];
    hand.category = EvaluateHand(hand.cards, name);
    hand.shown = true;
    return true;
}

bool ReadDeal(Reader& in, DealRecord& d) {
    const std::vector<std::string>* line = in.Line("deal", DealValues);
    if (!line) return false;
    const std::vector<std::string>& w = *line;
    int bet = 0, playerMoney = 0, computerMoney = 0;
    if (w[2] != "p" && w[2] != "c") return in.Fail("a deal of the record has no dealer");
    d.playerDealt = w[2] == "p";
    if (!DealValue(in, w[1], 1, 1000000, false, d.number) ||
        !DealValue(in, w[3], 1, 39, false, d.playerMoneyBefore) ||
        !DealValue(in, w[4], 0, 5, true, d.playerChanged) ||
        !DealValue(in, w[5], 0, 5, true, d.computerChanged) ||
        !DealValue(in, w[6], LowestBet, HighestBet, true, bet) ||
        !ReadHand(in, w[8], d.playerHand) || !ReadHand(in, w[9], d.computerHand) ||
        !DealValue(in, w[11], 0, 40, true, playerMoney) ||
        !DealValue(in, w[12], 0, 40, true, computerMoney))
        return false;
    d.bet = bet < 0 ? 0 : bet;
    if (w[7] != "-" && w[7] != "call" && w[7] != "fold")
        return in.Fail("a deal of the record has no known answer to the bet");
    d.answer = w[7] == "-" ? NoAnswer : w[7] == "call" ? CallAnswer : FoldAnswer;
    if (w[10] != "-" && w[10] != "p" && w[10] != "c")
        return in.Fail("a deal of the record has no known winner");
    d.winner = w[10] == "-" ? NoWinnerYet : w[10] == "p" ? PlayerWon : ComputerWon;
    if ((playerMoney < 0) != (computerMoney < 0))
        return in.Fail("a deal of the record has the money of one side only");
    d.settled = playerMoney >= 0;
    d.playerMoney = d.settled ? playerMoney : 0;
    d.computerMoney = d.settled ? computerMoney : 0;
    return true;
}

// The dealer of the next deal: a showdown the dealer loses passes the deal on.
bool NextDealerIsPlayer(const DealRecord& d) {
    if (d.answer != CallAnswer) return d.playerDealt;
    return d.winner == PlayerWon;
}

// The deal as play reaches it: each step only after the one before, the bet
// within both purses, no card twice, no computer hand unless it was called,
// the winner by the hands (a tie to the dealer) or the fold, the stake moved.
bool CheckDeal(Reader& in, const DealRecord& d) {
    const int number = d.number;
    const auto fail = [&](const char* what) {
        return in.Fail("deal %d of the record %s", number, what);
    };
    if (d.playerHand.shown != (d.playerChanged >= 0))
        return fail("has the player's exchange without the hand, or the hand without it");
    if (d.computerChanged >= 0 && d.playerChanged < 0)
        return fail("has the computer's exchange before the player's");
    if (d.bet > 0 && d.computerChanged < 0) return fail("has a bet before the exchange");
    if (d.bet > std::min(d.playerMoneyBefore, 40 - d.playerMoneyBefore))
        return fail("has a bet above one side's money");
    if (d.answer != NoAnswer && d.bet == 0) return fail("answers a bet never made");
    if (d.computerHand.shown && d.answer != CallAnswer)
        return fail("shows the computer's hand without a showdown");
    for (Card mine : d.playerHand.cards) {
        for (Card its : d.computerHand.cards) {
            if (d.playerHand.shown && d.computerHand.shown && mine == its)
                return fail("has a card in both hands");
        }
    }
    const bool decided = d.answer == FoldAnswer || d.computerHand.shown;
    if ((d.winner != NoWinnerYet) != decided) return fail("has a winner that does not fit");
    if (d.settled && !decided) return fail("has money after a deal not decided");
    if (!decided) return true;
    bool playerWins = d.playerDealt;
    int stake = 1;
    if (d.answer == CallAnswer) {
        const HandCategory mine = d.playerHand.category, its = d.computerHand.category;
        playerWins = d.playerDealt ? mine >= its : mine > its;
        stake = d.bet;
    }
    if (d.winner != (playerWins ? PlayerWon : ComputerWon)) return fail("names the wrong winner");
    if (d.settled && (d.playerMoney + d.computerMoney != 40 ||
                      d.playerMoney != d.playerMoneyBefore + (playerWins ? stake : -stake)))
        return fail("has money after that does not fit the stake");
    return true;
}

bool IsSameHand(const ShownHand& shown, const Hand& hand) {
    return !shown.shown || shown.cards == hand;
}

// The whole record, and its last deal against the step the game stands at.
bool CheckRecord(Reader& in, const MatchState& m, const TableControls& controls) {
    const std::vector<DealRecord>& deals = m.record.deals;
    if (deals.empty()) return true;
    if (m.roundState == RoundIdle) return in.Fail("the record holds deals before the first Start");
    for (std::size_t k = 0; k < deals.size(); ++k) {
        const DealRecord& d = deals[k];
        if (d.number != static_cast<int>(k) + 1)
            return in.Fail("the deals of the record are not numbered 1, 2, ... in order");
        if (!CheckDeal(in, d)) return false;
        if (k + 1 == deals.size()) break;
        const DealRecord& next = deals[k + 1];
        if (!d.settled || d.playerMoney == 0 || d.playerMoney == 40)
            return in.Fail("deal %d of the record is followed by another in the same match",
                           d.number);
        if (next.playerMoneyBefore != d.playerMoney || next.playerDealt != NextDealerIsPlayer(d))
            return in.Fail("deal %d of the record does not follow from the one before",
                           next.number);
    }
    const DealRecord& last = deals.back();
    const bool timerRuns = controls.timerPeriod != 0;
    bool fits = false;
    switch (m.roundState) {
    case RoundIdle: break;
    case RoundSelecting:
    case RoundPlayerDraw: fits = last.playerChanged < 0; break;
    case RoundComputerTurn:
    case RoundComputerDiscard: fits = last.playerChanged >= 0 && last.computerChanged < 0; break;
    case RoundComputerDraw: fits = last.computerChanged > 0 && last.bet == 0; break;
    case RoundBetting:
        fits = last.computerChanged >= 0 && last.answer == NoAnswer &&
               (last.bet > 0) == (!timerRuns && !last.playerDealt);
        break;
    case RoundShowdown: fits = last.answer == CallAnswer && !last.computerHand.shown; break;
    case RoundSettled: fits = last.winner != NoWinnerYet && last.settled == !timerRuns; break;
    }
    if (!fits) return in.Fail("the last deal of the record does not fit the round step");
    const bool decided = last.winner != NoWinnerYet;
    int playerMoney = last.playerMoneyBefore;
    if (decided) {
        const int stake = last.answer == FoldAnswer ? 1 : last.bet;
        playerMoney += last.winner == PlayerWon ? stake : -stake;
    }
    const int dealer = decided ? NextDealerIsPlayer(last) : last.playerDealt;
    if (m.playerMoney != playerMoney || m.playerIsDealer != dealer)
        return in.Fail("the last deal of the record does not fit the money or the dealer");
    if (!IsSameHand(last.playerHand, m.deal.playerHand) ||
        !IsSameHand(last.computerHand, m.deal.computerHand) ||
        (last.playerChanged >= 0 && last.playerChanged != m.playerDrawCount) ||
        (last.bet > 0 && last.bet != (last.playerDealt ? m.playerBet : m.computerBet)))
        return in.Fail("the last deal of the record does not fit the cards or the bets");
    return true;
}

}  // namespace

std::string SaveGame(const MatchState& m) {
    std::string out = std::string(Magic) + " " + std::to_string(SavedGameVersion) + "\n";
    const int money[] = {m.playerMoney, m.computerMoney};
    PutInts(out, "money", money, 2);
    PutInts(out, "dealer", &m.playerIsDealer, 1);
    const int round = m.roundState;
    PutInts(out, "round", &round, 1);
    PutInts(out, "deck", m.deal.deck.data(), DeckSize);
    PutInts(out, "next", &m.deal.nextCard, 1);
    int hands[10], discards[10];
    for (int k = 0; k < 5; ++k) {
        hands[k] = m.deal.computerHand[k];
        hands[5 + k] = m.deal.playerHand[k];
        discards[k] = m.deal.playerDiscards[k];
        discards[5 + k] = m.deal.computerDiscards[k];
    }
    PutInts(out, "hands", hands, 10);
    PutInts(out, "discards", discards, 10);
    const int categories[] = {m.playerCategory, m.computerCategory};
    PutInts(out, "categories", categories, 2);
    const int bets[] = {m.playerBet, m.computerBet};
    PutInts(out, "bets", bets, 2);
    PutInts(out, "fold", &m.foldStreak, 1);
    PutInts(out, "drawn", &m.playerDrawCount, 1);
    const PlayerObservation& o = m.observation;
    const int observation[] = {o.keepsKicker, o.betsOver2,  o.betsOver3,          o.betsOver4,
                               o.lastWonBet,  o.prevWonBet, o.prevDealerDrawCount};
    PutInts(out, "observation", observation, 7);
    PutWords(out, "random", std::to_string(RandomState()));

    const ShownTable& shown = TableShown();
    int slots[2 * SlotCount];
    for (int slot = 0; slot < SlotCount; ++slot) {
        slots[2 * slot] = shown.slots[slot];
        slots[2 * slot + 1] = shown.slots[slot] == SlotShowsFace ? shown.cards[slot] : 0;
    }
    PutInts(out, "slots", slots, 2 * SlotCount);
    std::string marks;
    for (bool marked : shown.faceMarked) marks += marked ? '1' : '0';
    PutWords(out, "marks", marks);
    std::string mouths;
    for (int k = 0; k < 3; ++k) {
        if (k != 0) mouths += ' ';
        mouths += k < shown.mouthCount ? std::to_string(shown.mouths[k]) : "-";
    }
    PutWords(out, "mouths", mouths);
    const int counters[] = {shown.computerMoney, shown.playerMoney};
    PutInts(out, "counters", counters, 2);
    PutWords(out, "speech", Text(shown.speechShown, shown.speech));
    for (int side = 0; side < 2; ++side) {
        PutWords(out, side == 0 ? "computer-name" : "player-name",
                 shown.nameShown[side]
                     ? std::to_string(shown.categories[side]) + " " + Text(true, shown.names[side])
                     : "- -");
    }

    const TableControls& controls = TableControlsShown();
    std::string enabled;
    for (bool on : controls.enabled) enabled += on ? '1' : '0';
    PutWords(out, "controls", enabled);
    PutWords(out, "betbox", controls.betBox);
    PutInts(out, "timer", &controls.timerPeriod, 1);
    for (const DealRecord& deal : m.record.deals) PutDeal(out, deal);
    out += "end\n";
    return out;
}

bool LoadGame(const std::string& text, MatchState& match, std::string& reason) {
    reason.clear();
    if (text.size() > static_cast<std::size_t>(SavedGameMostBytes)) {
        reason = "the text is too long to be a saved game";
        return false;
    }
    Reader in;
    // Lines at "\n", words at spaces and tabs.
    std::vector<std::string> words;
    std::string word;
    for (std::size_t k = 0; k <= text.size(); ++k) {
        const char c = k < text.size() ? text[k] : '\n';
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            if (!word.empty()) words.push_back(word);
            word.clear();
            if (c == '\n' && (k < text.size() || !words.empty())) {
                in.lines.push_back(words);
                words.clear();
            }
        } else {
            word += c;
        }
    }
    const std::vector<std::string>* head = in.Line(Magic, 1);
    if (!head) {
        reason = "this is not a saved game";
        return false;
    }
    // The first version kept no record; its games carry on with an empty one.
    const bool withRecord = (*head)[1] == std::to_string(SavedGameVersion);
    if (!withRecord && (*head)[1] != "1") {
        reason = "the saved game is of version " + (*head)[1] + ", not " +
                 std::to_string(SavedGameVersion);
        return false;
    }
    MatchState read;
    std::uint32_t random = 0;
    ShownTable shown = OpeningTable();
    TableControls controls;
    bool ok = ReadMatch(in, read, random) && ReadPicture(in, shown) && ReadControls(in, controls);
    while (ok && withRecord && in.at < in.lines.size() && !in.lines[in.at].empty() &&
           in.lines[in.at][0] == "deal") {
        read.record.deals.emplace_back();
        ok = ReadDeal(in, read.record.deals.back());
    }
    ok = ok && in.Line("end", 0) != nullptr;
    while (ok && in.at < in.lines.size() && in.lines[in.at].empty()) ++in.at;
    if (ok && in.at != in.lines.size()) ok = in.Fail("there is text after the end");
    if (ok && !ControlsFitStep(read, controls))
        ok = in.Fail("the enabled controls or the timer do not fit the round step");
    if (ok) ok = CheckRecord(in, read, controls);
    if (!ok) {
        reason = in.reason;
        return false;
    }
    match = read;
    SeedRandom(random);
    RestoreTable(shown, controls);
    return true;
}
