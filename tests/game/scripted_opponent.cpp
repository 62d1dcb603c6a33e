// The opponent stand-in of the controller tests: answers from the script and
// records each call with its arguments, so a test sees when the controller
// consults the computer.
#include <string>

#include "card_notation.h"
#include "opponent/opponent.h"
#include "recording_table.h"

ScriptedOpponent gScriptedOpponent;

namespace {

std::string MaskText(const DiscardMask& mask) {
    std::string text;
    for (int bit : mask) text += static_cast<char>('0' + bit);
    return text;
}

void Record(const std::string& line) { RecordLine(line); }

}  // namespace

int ChooseDiscards(const Hand& hand, DiscardMask& mask) {
    const std::string line = "ChooseDiscards(" + HandText(hand);
    DiscardAnswer answer{0, {}};
    if (!gScriptedOpponent.discards.empty()) {
        answer = gScriptedOpponent.discards.front();
        gScriptedOpponent.discards.pop_front();
    }
    if (answer.answer != 0) mask = answer.mask;
    Record(line + ") -> " + std::to_string(answer.answer) +
           (answer.answer ? " " + MaskText(mask) : ""));
    return answer.answer;
}

int ChooseBet(HandCategory category, int money, int playerIsDealer, int playerDrawCount,
              int bluffSuspected, int keepsKicker) {
    int answer = 1;
    if (!gScriptedOpponent.bets.empty()) {
        answer = gScriptedOpponent.bets.front();
        gScriptedOpponent.bets.pop_front();
    }
    Record("ChooseBet(" + std::to_string(category) + ", " + std::to_string(money) + ", " +
           std::to_string(playerIsDealer) + ", " + std::to_string(playerDrawCount) + ", " +
           std::to_string(bluffSuspected) + ", " + std::to_string(keepsKicker) + ") -> " +
           std::to_string(answer));
    return answer;
}

int ObserveDealerBet(int bet, int, int, PlayerObservation&) {
    int answer = 0;
    if (!gScriptedOpponent.bluffs.empty()) {
        answer = gScriptedOpponent.bluffs.front();
        gScriptedOpponent.bluffs.pop_front();
    }
    Record("ObserveDealerBet(" + std::to_string(bet) + ") -> " + std::to_string(answer));
    return answer;
}

void ObserveKeptCards(const Hand&, const DiscardMask&, int, PlayerObservation&) {
    Record("ObserveKeptCards()");
}
