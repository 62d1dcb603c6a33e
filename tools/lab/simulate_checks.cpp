// bluffwick-lab simulate --check: what every event must lead to, and the first time it does not.
#include <cstring>
#include <string>

#include "cards/hand_eval.h"
#include "game/match_state.h"
#include "game/round.h"
#include "game/shown_table.h"
#include "headless_table.h"
#include "simulation.h"

namespace {

// The controls the deal's step leaves enabled, as a bit per control.
unsigned ExpectedControls(const MatchState& match, int timerPeriod) {
    auto bit = [](TableControl control) { return 1u << (control - StartButton); };
    switch (match.roundState) {
    case RoundIdle: return bit(StartButton);
    case RoundSelecting: return bit(ChangeButton);
    case RoundPlayerDraw:
    case RoundComputerTurn:
    case RoundComputerDiscard:
    case RoundComputerDraw: return 0;
    case RoundBetting:
        if (timerPeriod != 0) return 0;
        return match.playerIsDealer ? bit(BetBox) | bit(UpButton) | bit(DownButton) | bit(OkButton)
                                    : bit(BetBox) | bit(OkButton) | bit(FoldButton);
    case RoundShowdown: return bit(BetBox);
    case RoundSettled: return timerPeriod != 0 ? bit(BetBox) : bit(StartButton);
    }
    return 0;
}

std::string ControlList(unsigned bits) {
    std::string list;
    for (int index = 0; index < ControlCount; ++index) {
        if (bits & (1u << index)) {
            if (!list.empty()) list += " ";
            list += ControlName(static_cast<TableControl>(StartButton + index));
        }
    }
    return list.empty() ? "none" : list;
}

const char PeekLine[] =
    "断って置くが、私は君のカードを盗み見なんてしてない\n君のゲームをじっくり観察しているだけだ";

struct Expected {
    RoundState states[2];
    int stateCount;
    int pauses[2];
    int pauseCount;
    int playerMoney;
    int dealer;
};

// The showdown's winner from the two hands themselves, not from the
// categories the controller stored: only the categories count, a tie goes to
// the dealer.
bool PlayerWinsShowdown(const MatchState& before) {
    char name[HandNameBufferSize];
    const HandCategory player = EvaluateHand(before.deal.playerHand, name);
    const HandCategory computer = EvaluateHand(before.deal.computerHand, name);
    return before.playerIsDealer ? player >= computer : player > computer;
}

// What the event must lead to, worked out from the state before it.
Expected ExpectedOutcome(const Event& event, const MatchState& after) {
    const MatchState& before = event.before;
    Expected expected{{before.roundState, before.roundState},
                      1,
                      {event.timerBefore, 0},
                      1,
                      before.playerMoney,
                      before.playerIsDealer};
    auto to = [&](RoundState state) {
        expected.states[0] = state;
        expected.stateCount = 1;
    };
    auto pause = [&](int ms) {
        expected.pauses[0] = ms;
        expected.pauseCount = 1;
    };
    switch (event.kind) {
    case EventOpen:
        to(RoundIdle);
        pause(0);
        break;
    case EventClick: break;
    case EventPress:
        switch (event.control) {
        case StartButton:
            to(RoundSelecting);
            pause(0);
            if (before.playerMoney == 40 || before.computerMoney == 40) expected.playerMoney = 20;
            break;
        case ChangeButton:
            to(RoundPlayerDraw);
            pause(500);
            break;
        case UpButton:
        case DownButton: break;
        case OkButton:
            if (event.boxBefore > before.playerMoney || event.boxBefore > before.computerMoney)
                break;  // refused
            pause(1000);
            if (before.playerIsDealer && after.computerBet < after.playerBet) {
                to(RoundSettled);
                expected.playerMoney = before.playerMoney + 1;
            } else {
                to(RoundShowdown);
            }
            break;
        case FoldButton:
            to(RoundSettled);
            pause(before.foldStreak + 1 == 5 || before.computerBet >= 5 ? 1500 : 1000);
            expected.playerMoney = before.playerMoney - 1;
            break;
        case BetBox: break;
        }
        break;
    case EventTick:
        switch (before.roundState) {
        case RoundIdle:
        case RoundSelecting: break;
        case RoundPlayerDraw:
            to(RoundComputerTurn);
            pause(1000);
            break;
        case RoundComputerTurn:
            to(RoundComputerDiscard);
            pause(1000);
            break;
        case RoundComputerDiscard:
            expected.states[0] = RoundComputerDraw;
            expected.states[1] = RoundBetting;
            expected.stateCount = 2;
            pause(700);
            break;
        case RoundComputerDraw:
            to(RoundBetting);
            pause(1000);
            break;
        case RoundBetting: pause(0); break;
        case RoundSettled: pause(0); break;
        case RoundShowdown: {
            to(RoundSettled);
            const bool computerDeals = before.playerIsDealer == 0;
            const int stake = computerDeals ? before.computerBet : before.playerBet;
            const bool computerWins = !PlayerWinsShowdown(before);
            expected.playerMoney = before.playerMoney + (computerWins ? -stake : stake);
            expected.dealer = computerWins ? 0 : 1;
            const int computerMoney = 40 - expected.playerMoney;
            if (computerDeals) {
                pause(computerWins ? 1000 : 1500);
            } else if (!computerWins) {
                pause(800);
            } else if (computerMoney == 36) {
                pause(TableShown().speech == PeekLine ? 2000 : 1500);
            } else {
                pause(computerMoney >= 40 ? 1000 : 1500);
            }
            break;
        }
        }
        break;
    }
    return expected;
}

std::string DescribeEvent(const Event& event) {
    switch (event.kind) {
    case EventOpen: return "window creation";
    case EventTick: return "tick";
    case EventClick: return "click";
    case EventPress: return std::string("press ") + ControlName(event.control);
    }
    return "?";
}

void Violate(Simulation& sim, const Event& event, const std::string& what) {
    if (!sim.violation.empty()) return;
    sim.violation = "event " + std::to_string(sim.summary.events) + " (" + DescribeEvent(event) +
                    "), state " + RoundStateName(sim.match.roundState) + ": " + what;
}

int CountMarked(const DiscardMask& mask) {
    int count = 0;
    for (int flag : mask) count += flag == 1;
    return count;
}

// An exchange: every marked position, in order, takes the next card of the
// deck; the other positions keep their cards.
bool ExchangedFromDeck(const MatchState& before, const Hand& was, const Hand& now,
                       const DiscardMask& mask) {
    int next = before.deal.nextCard;
    for (int i = 0; i < 5; ++i) {
        const Card wanted = mask[i] == 1 ? before.deal.deck[next++] : was[i];
        if (now[i] != wanted) return false;
    }
    return true;
}

// The bookkeeping the rules fix whatever the draws: the stakes of the
// player's dealer wins, the fold count, the computer's bet and the cards drawn.
void CheckBookkeeping(Simulation& sim, const Event& event) {
    const MatchState& before = event.before;
    const MatchState& match = sim.match;
    auto fail = [&](const std::string& what) { Violate(sim, event, what); };
    const bool press = event.kind == EventPress;
    const bool tick = event.kind == EventTick;
    const bool accepted = press && event.control == OkButton &&
                          event.boxBefore <= before.playerMoney &&
                          event.boxBefore <= before.computerMoney;

    int lastWon = before.observation.lastWonBet;
    int prevWon = before.observation.prevWonBet;
    if (press && event.control == StartButton &&
        (before.playerMoney == 40 || before.computerMoney == 40 || before.playerIsDealer == 0)) {
        lastWon = 0;
        prevWon = 0;
    }
    if (tick && before.roundState == RoundShowdown && before.playerIsDealer &&
        PlayerWinsShowdown(before)) {
        prevWon = before.observation.lastWonBet;
        lastWon = before.playerBet;
    }
    if (match.observation.lastWonBet != lastWon || match.observation.prevWonBet != prevWon) {
        fail("the won stakes are " + std::to_string(match.observation.lastWonBet) + " and " +
             std::to_string(match.observation.prevWonBet) + ", expected " +
             std::to_string(lastWon) + " and " + std::to_string(prevWon));
    }

    int streak = before.foldStreak;
    if (press && event.control == FoldButton)
        streak = before.foldStreak + 1 == 5 ? 0 : before.foldStreak + 1;
    if (accepted && !before.playerIsDealer) streak = 0;
    if (match.foldStreak != streak) {
        fail("foldStreak is " + std::to_string(match.foldStreak) + ", expected " +
             std::to_string(streak));
    }

    if (tick && before.roundState == RoundBetting && !before.playerIsDealer) {
        int most = 10;
        if (match.computerMoney < most) most = match.computerMoney;
        if (match.playerMoney < most) most = match.playerMoney;
        if (match.computerBet < 1 || match.computerBet > most) {
            fail("the computer bet " + std::to_string(match.computerBet) + ", outside 1.." +
                 std::to_string(most));
        }
        if (ReadBetBox() != match.computerBet) {
            fail("the bet box shows " + std::to_string(ReadBetBox()) + " for a bet of " +
                 std::to_string(match.computerBet));
        }
    }
    if (accepted && before.playerIsDealer && (match.computerBet < 0 || match.computerBet > 11)) {
        fail("call limit " + std::to_string(match.computerBet) + " outside 0..11");
    }

    if (tick && before.roundState == RoundPlayerDraw) {
        const int drawn = CountMarked(before.deal.playerDiscards);
        if (match.playerDrawCount != drawn || match.deal.nextCard != before.deal.nextCard + drawn ||
            !ExchangedFromDeck(before, before.deal.playerHand, match.deal.playerHand,
                               before.deal.playerDiscards)) {
            fail("the player's " + std::to_string(drawn) +
                 " marked cards were not replaced from the deck");
        }
    }
    if (tick && before.roundState == RoundComputerDiscard) {
        const int drawn =
            match.roundState == RoundComputerDraw ? CountMarked(match.deal.computerDiscards) : 0;
        const DiscardMask none{};
        const DiscardMask& mask = drawn > 0 ? match.deal.computerDiscards : none;
        if ((match.roundState == RoundComputerDraw && drawn == 0) ||
            match.deal.nextCard != before.deal.nextCard + drawn ||
            !ExchangedFromDeck(before, before.deal.computerHand, match.deal.computerHand, mask)) {
            fail("the computer's exchange of " + std::to_string(drawn) +
                 " cards did not come from the deck");
        }
    }
}

}  // namespace

void CheckInvariants(Simulation& sim, const Event& event) {
    const MatchState& match = sim.match;
    auto fail = [&](const std::string& what) { Violate(sim, event, what); };

    if (match.playerMoney + match.computerMoney != 40) {
        fail("money adds up to " + std::to_string(match.playerMoney + match.computerMoney) +
             ", not 40");
    }
    if (match.playerMoney < 0 || match.playerMoney > 40 || match.computerMoney < 0 ||
        match.computerMoney > 40) {
        fail("money outside 0..40: player " + std::to_string(match.playerMoney) + ", computer " +
             std::to_string(match.computerMoney));
    }
    if (match.deal.nextCard < 10 || match.deal.nextCard > 20)
        fail("nextCard is " + std::to_string(match.deal.nextCard));
    bool seen[DeckSize] = {};
    for (const Hand* hand : {&match.deal.computerHand, &match.deal.playerHand}) {
        for (Card card : *hand) {
            if (card < 0 || card >= DeckSize) {
                fail("card code " + std::to_string(card) + " in a hand");
            } else if (seen[card]) {
                fail("card " + std::to_string(card) + " is in the hands twice");
            } else {
                seen[card] = true;
            }
        }
    }

    unsigned enabled = 0;
    for (int index = 0; index < ControlCount; ++index) {
        if (IsEnabled(static_cast<TableControl>(StartButton + index))) enabled |= 1u << index;
    }
    const unsigned wanted = ExpectedControls(match, TimerPeriod());
    if (enabled != wanted)
        fail("enabled controls are " + ControlList(enabled) + ", expected " + ControlList(wanted));

    const Expected expected = ExpectedOutcome(event, match);
    bool stateOk = false;
    for (int k = 0; k < expected.stateCount; ++k)
        stateOk = stateOk || match.roundState == expected.states[k];
    if (!stateOk) {
        fail(std::string("the deal went from ") + RoundStateName(event.before.roundState) + " to " +
             RoundStateName(match.roundState));
    }
    bool pauseOk = false;
    for (int k = 0; k < expected.pauseCount; ++k)
        pauseOk = pauseOk || TimerPeriod() == expected.pauses[k];
    if (!pauseOk) {
        fail("RoundTimer " +
             (TimerPeriod() ? "armed with " + std::to_string(TimerPeriod()) + " ms"
                            : std::string("stopped")) +
             ", expected " +
             (expected.pauses[0] ? std::to_string(expected.pauses[0]) + " ms" : "stopped"));
    }
    if (match.playerMoney != expected.playerMoney) {
        fail("the player holds " + std::to_string(match.playerMoney) + ", expected " +
             std::to_string(expected.playerMoney));
    }
    if (match.playerIsDealer != expected.dealer) fail("the deal passed without a showdown won");
    CheckBookkeeping(sim, event);
    if (event.kind == EventPress && event.control == OkButton &&
        match.playerBet != event.boxBefore) {
        fail("OK took " + std::to_string(match.playerBet) + " from a box showing " +
             std::to_string(event.boxBefore));
    }

    // What the table shows must be the game's: the counters once a deal is
    // closed, the player's own cards whenever they lie face up.
    const ShownTable& shown = TableShown();
    const bool settledAndShown = match.roundState == RoundSettled && TimerPeriod() == 0;
    if ((settledAndShown || match.roundState == RoundIdle || match.roundState == RoundSelecting) &&
        (shown.playerMoney != match.playerMoney || shown.computerMoney != match.computerMoney)) {
        fail("the counters show " + std::to_string(shown.computerMoney) + " and " +
             std::to_string(shown.playerMoney));
    }
    if (match.roundState != RoundIdle && match.roundState != RoundPlayerDraw) {
        for (int i = 0; i < 5; ++i) {
            if (shown.slots[5 + i] != SlotShowsFace ||
                shown.cards[5 + i] != match.deal.playerHand[i]) {
                fail("slot " + std::to_string(5 + i) + " does not show the player's card");
                break;
            }
        }
    }
}
