// bluffwick-lab simulate: whole matches against the real controller and
// opponent on a headless table, with a virtual clock and a scripted player.
#include <time.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "cards/hand_eval.h"
#include "cards/random.h"
#include "game/layout.h"
#include "game/round.h"
#include "headless_table.h"
#include "lab_input.h"
#include "lab_modes.h"

namespace {

// ---- The virtual clock: every shuffle reseeds from it, as from the real one.

std::int64_t gStartSeconds = 1700000000;
std::int64_t gVirtualMs = 0;

std::int64_t ReadVirtualSeconds() { return gStartSeconds + gVirtualMs / 1000; }

int ReadVirtualHour() {
    const std::int64_t seconds = ReadVirtualSeconds();
    const std::int64_t hour = (seconds / 3600) % 24;
    return static_cast<int>(hour < 0 ? hour + 24 : hour);
}

// ---- The player's own generator (splitmix64), apart from the game's stream.

struct PlayerRandom {
    std::uint64_t state;
};

std::uint64_t NextPlayerRandom(PlayerRandom& random) {
    std::uint64_t z = (random.state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int PickBelow(PlayerRandom& random, int n) {
    return static_cast<int>(NextPlayerRandom(random) % static_cast<std::uint64_t>(n));
}

// ---- What a person can do at the table.

enum ActionKind { ActionPress, ActionClick };

struct Action {
    ActionKind kind;
    TableControl control;  // ActionPress
    int x, y;              // ActionClick
};

enum PlayerStyle { PlayerRandomStyle, PlayerCarefulStyle };

struct Options {
    long long matches = 100;
    long long startSeconds = 1700000000;
    PlayerStyle player = PlayerRandomStyle;
    long long seed = 1;
    bool check = false;
    bool trace = false;
};

struct Summary {
    long long matches = 0;
    long long deals = 0;
    long long showdowns = 0;
    long long playerFolds = 0;
    long long computerFolds = 0;
    long long computerMatchWins = 0;
    long long playerMatchWins = 0;
    long long events = 0;
};

struct Simulation {
    Options options;
    MatchState match;
    HeadlessTable table;
    PlayerRandom random;
    Summary summary;
    long long dealsBeforeMatch = 0;  // summary.deals when the current match began
    std::string violation;           // the first broken invariant, empty while none
};

// Money moves at least a dollar a deal, so a real match is over long before
// this; a match still going after it means the end of a match is broken.
constexpr long long MaxDealsPerMatch = 100000;

void Press(Simulation& sim, TableControl control) {
    HeadlessTable& table = sim.table;
    if (table.trace) TraceLine(table, (std::string("Press(") + ControlName(control) + ")").c_str());
    PressControl(sim.match, control);
}

void Click(Simulation& sim, int x, int y) {
    if (sim.table.trace) {
        char line[64];
        std::snprintf(line, sizeof line, "Click(%d, %d)", x, y);
        TraceLine(sim.table, line);
    }
    ToggleDiscard(sim.match, x, y);
}

// The cards the player sees face up in the lower row.
bool ReadOwnHand(const HeadlessTable& table, Hand& hand) {
    for (int i = 0; i < 5; ++i) {
        if (table.slotPicture[5 + i] != SlotFace) return false;
        hand[i] = table.slotCard[5 + i];
    }
    return true;
}

Action PressAction(TableControl control) { return Action{ActionPress, control, 0, 0}; }

Action ClickCardAction(int position, int dx, int dy) {
    return Action{ActionClick, StartButton, SlotLeft(5 + position) + dx,
                  SlotTop(5 + position) + dy};
}

// ---- The random player: any card, any enabled button.

bool ChooseRandomAction(Simulation& sim, Action& action) {
    const HeadlessTable& table = sim.table;
    Action options[12];
    int count = 0;
    if (IsEnabled(table, ChangeButton)) {  // choosing the exchange: the cards can be clicked
        for (int i = 0; i < 5; ++i) {
            options[count++] = ClickCardAction(i, PickBelow(sim.random, CardWidth),
                                               PickBelow(sim.random, CardHeight));
        }
    }
    for (TableControl control :
         {StartButton, ChangeButton, UpButton, DownButton, OkButton, FoldButton}) {
        if (IsEnabled(table, control)) options[count++] = PressAction(control);
    }
    if (count == 0) return false;
    action = options[PickBelow(sim.random, count)];
    return true;
}

// ---- The careful player: draws and bets by the strength of the hand.

int RankCount(const Hand& hand, int rank) {
    int count = 0;
    for (Card card : hand) count += CardRank(card) == rank;
    return count;
}

DiscardMask CarefulDiscards(const Hand& hand) {
    char name[HandNameBufferSize];
    const HandCategory category = EvaluateHand(hand, name);
    DiscardMask mask{};
    switch (category) {
    case 4:
    case 5:
    case 6:
    case 7:
    case 9:
    case 10: return mask;  // made hands stand pat
    case 1:
    case 2:
    case 3:
    case 8:
        for (int i = 0; i < 5; ++i) mask[i] = RankCount(hand, CardRank(hand[i])) == 1;
        return mask;
    default: break;
    }
    // No pair: draw one to four of a suit, otherwise keep the highest card if it is a jack or
    // better.
    for (int suit = 1; suit <= 4; ++suit) {
        int same = 0;
        for (Card card : hand) same += CardSuit(card) == suit;
        if (same == 4) {
            for (int i = 0; i < 5; ++i) mask[i] = CardSuit(hand[i]) != suit;
            return mask;
        }
    }
    int best = 0;
    for (int i = 1; i < 5; ++i) {
        const int rank = CardRank(hand[i]) == 1 ? 14 : CardRank(hand[i]);
        const int bestRank = CardRank(hand[best]) == 1 ? 14 : CardRank(hand[best]);
        if (rank > bestRank) best = i;
    }
    const int bestRank = CardRank(hand[best]) == 1 ? 14 : CardRank(hand[best]);
    for (int i = 0; i < 5; ++i) mask[i] = (i != best || bestRank < 11) ? 1 : 0;
    return mask;
}

int BetBoxValue(const HeadlessTable& table) { return std::atoi(table.betBox); }

bool ChooseCarefulAction(Simulation& sim, Action& action) {
    const HeadlessTable& table = sim.table;
    Hand hand{};
    char name[HandNameBufferSize];
    if (IsEnabled(table, StartButton)) {
        action = PressAction(StartButton);
        return true;
    }
    if (IsEnabled(table, ChangeButton) && ReadOwnHand(table, hand)) {
        const DiscardMask wanted = CarefulDiscards(hand);
        for (int i = 0; i < 5; ++i) {
            if (table.slotMarked[5 + i] != (wanted[i] == 1)) {
                action = ClickCardAction(i, CardWidth / 2, CardHeight / 2);
                return true;
            }
        }
        action = PressAction(ChangeButton);
        return true;
    }
    if (!IsEnabled(table, OkButton) || !ReadOwnHand(table, hand)) return false;
    const HandCategory category = EvaluateHand(hand, name);
    const int box = BetBoxValue(table);
    if (IsEnabled(table, FoldButton)) {
        // The computer deals: call what the hand can stand, sometimes a little more.
        static const int MaxCallByCategory[11] = {1, 4, 8, 10, 10, 10, 10, 10, 10, 10, 10};
        int limit = MaxCallByCategory[category];
        if (category == OnePair && PickBelow(sim.random, 2) == 0) limit = 6;
        action = PressAction(box <= limit ? OkButton : FoldButton);
        return true;
    }
    // The player deals: step the box to the amount the hand is worth, within both purses.
    static const int BetByCategory[11] = {1, 2, 4, 5, 7, 7, 7, 7, 10, 10, 10};
    int wanted = BetByCategory[category];
    if (category == NoHand && PickBelow(sim.random, 10) == 0) wanted = 4;  // the odd bluff
    if (wanted > table.shownPlayerMoney) wanted = table.shownPlayerMoney;
    if (wanted > table.shownComputerMoney) wanted = table.shownComputerMoney;
    if (wanted < 1) wanted = 1;
    if (box < wanted && IsEnabled(table, UpButton)) {
        action = PressAction(UpButton);
    } else if (box > wanted && IsEnabled(table, DownButton)) {
        action = PressAction(DownButton);
    } else {
        action = PressAction(OkButton);
    }
    return true;
}

// ---- The invariants, checked after every event.

enum EventKind { EventOpen, EventTick, EventPress, EventClick };

struct Event {
    EventKind kind;
    TableControl control;
    MatchState before;
    int timerBefore;
    int boxBefore;  // the bet box's amount as the event found it
};

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
Expected ExpectedOutcome(const Event& event, const MatchState& after, const HeadlessTable& table) {
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
                pause(std::strcmp(table.speech, PeekLine) == 0 ? 2000 : 1500);
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

void CheckInvariants(Simulation& sim, const Event& event) {
    const MatchState& match = sim.match;
    const HeadlessTable& table = sim.table;
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
        if (IsEnabled(table, static_cast<TableControl>(StartButton + index)))
            enabled |= 1u << index;
    }
    const unsigned wanted = ExpectedControls(match, table.timerPeriod);
    if (enabled != wanted)
        fail("enabled controls are " + ControlList(enabled) + ", expected " + ControlList(wanted));

    const Expected expected = ExpectedOutcome(event, match, table);
    bool stateOk = false;
    for (int k = 0; k < expected.stateCount; ++k)
        stateOk = stateOk || match.roundState == expected.states[k];
    if (!stateOk) {
        fail(std::string("the deal went from ") + RoundStateName(event.before.roundState) + " to " +
             RoundStateName(match.roundState));
    }
    bool pauseOk = false;
    for (int k = 0; k < expected.pauseCount; ++k)
        pauseOk = pauseOk || table.timerPeriod == expected.pauses[k];
    if (!pauseOk) {
        fail("RoundTimer " +
             (table.timerPeriod ? "armed with " + std::to_string(table.timerPeriod) + " ms"
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
    const bool settledAndShown = match.roundState == RoundSettled && table.timerPeriod == 0;
    if ((settledAndShown || match.roundState == RoundIdle || match.roundState == RoundSelecting) &&
        (table.shownPlayerMoney != match.playerMoney ||
         table.shownComputerMoney != match.computerMoney)) {
        fail("the counters show " + std::to_string(table.shownComputerMoney) + " and " +
             std::to_string(table.shownPlayerMoney));
    }
    if (match.roundState != RoundIdle && match.roundState != RoundPlayerDraw) {
        for (int i = 0; i < 5; ++i) {
            if (table.slotPicture[5 + i] != SlotFace ||
                table.slotCard[5 + i] != match.deal.playerHand[i]) {
                fail("slot " + std::to_string(5 + i) + " does not show the player's card");
                break;
            }
        }
    }
}

// ---- The run.

void CountEvent(Simulation& sim, const Event& event) {
    const MatchState& match = sim.match;
    Summary& summary = sim.summary;
    if (event.kind == EventPress) {
        if (event.control == StartButton) ++summary.deals;
        if (event.control == FoldButton) ++summary.playerFolds;
        if (event.control == OkButton && event.before.roundState == RoundBetting &&
            match.roundState == RoundSettled) {
            ++summary.computerFolds;
        }
    }
    if (event.kind == EventTick && event.before.roundState == RoundShowdown) ++summary.showdowns;
    if (event.kind == EventTick && event.before.roundState == RoundSettled) {
        if (match.computerMoney == 40) {
            ++summary.matches;
            ++summary.computerMatchWins;
            sim.dealsBeforeMatch = summary.deals;
        } else if (match.playerMoney == 40) {
            ++summary.matches;
            ++summary.playerMatchWins;
            sim.dealsBeforeMatch = summary.deals;
        }
    }
}

void FinishEvent(Simulation& sim, const Event& event) {
    ++sim.summary.events;
    CountEvent(sim, event);
    if (sim.options.check) CheckInvariants(sim, event);
}

Event BeginEvent(const Simulation& sim, EventKind kind, TableControl control) {
    Event event{kind, control, MatchState{}, sim.table.timerPeriod,
                sim.options.check ? ReadBetBox() : 0};
    if (sim.options.check)
        event.before = sim.match;
    else {
        event.before.roundState = sim.match.roundState;
        event.before.playerMoney = sim.match.playerMoney;
    }
    return event;
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& problem) {
    bool seen[4] = {};
    for (int k = 0; k < argc; ++k) {
        const std::string name = argv[k];
        if (name == "--check") {
            options.check = true;
            continue;
        }
        if (name == "--trace") {
            options.trace = true;
            continue;
        }
        static const char* const Valued[] = {"--matches", "--time", "--player", "--seed"};
        int which = -1;
        for (int v = 0; v < 4; ++v) {
            if (name == Valued[v]) which = v;
        }
        if (which < 0) {
            problem = "simulate: unknown argument '" + name + "'";
            return false;
        }
        if (seen[which]) {
            problem = "simulate: " + name + " given twice";
            return false;
        }
        seen[which] = true;
        if (k + 1 >= argc) {
            problem = "simulate: " + name + " needs a value";
            return false;
        }
        const char* value = argv[++k];
        long long number = 0;
        switch (which) {
        case 0:
            if (!ParseArgument(value, 0, 1000000000LL, number)) {
                problem = "simulate: --matches must be a whole number from 0 to 1000000000";
                return false;
            }
            options.matches = number;
            break;
        case 1:
            if (!ParseArgument(value, 0, 4000000000LL, number)) {
                problem = "simulate: --time must be a whole number of seconds from 0 to 4000000000";
                return false;
            }
            options.startSeconds = number;
            break;
        case 2:
            if (std::strcmp(value, "random") == 0) {
                options.player = PlayerRandomStyle;
            } else if (std::strcmp(value, "careful") == 0) {
                options.player = PlayerCarefulStyle;
            } else {
                problem = std::string("simulate: --player must be random or careful, not '") +
                          value + "'";
                return false;
            }
            break;
        case 3:
            if (!ParseArgument(value, 0, 9223372036854775807LL, number)) {
                problem = "simulate: --seed must be a whole number from 0 to 9223372036854775807";
                return false;
            }
            options.seed = number;
            break;
        }
    }
    return true;
}

}  // namespace

int RunSimulateMode(int argc, char** argv) {
    static Simulation sim;
    std::string problem;
    sim = Simulation{};
    if (!ParseOptions(argc, argv, sim.options, problem)) return ReportBadUsage(problem);
    const Options& options = sim.options;

    gStartSeconds = options.startSeconds;
    gVirtualMs = 0;
    SetClockSources(ReadVirtualSeconds, ReadVirtualHour);
    SeedRandom(static_cast<std::uint32_t>(ReadVirtualSeconds()));  // as the program's entry does
    sim.random.state = static_cast<std::uint64_t>(options.seed);
    InstallHeadlessTable(sim.table, options.trace ? stdout : nullptr, &gVirtualMs);

    // <chrono> cannot be compiled with Shift-JIS literals (its micro sign has no
    // code in 932), so the wall clock is read the POSIX way.
    timespec wallStart{};
    clock_gettime(CLOCK_MONOTONIC, &wallStart);
    {
        const Event event = BeginEvent(sim, EventOpen, StartButton);
        OpenHeadlessWindow(sim.match);
        FinishEvent(sim, event);
    }
    bool stuck = false;
    bool endless = false;
    while (sim.summary.matches < options.matches && sim.violation.empty()) {
        if (sim.summary.deals - sim.dealsBeforeMatch > MaxDealsPerMatch) {
            endless = true;
            break;
        }
        if (sim.table.timerPeriod > 0) {
            gVirtualMs += sim.table.timerPeriod;
            const Event event = BeginEvent(sim, EventTick, StartButton);
            if (sim.table.trace) TraceLine(sim.table, "Tick(RoundTimer)");
            AdvanceRound(sim.match);
            FinishEvent(sim, event);
            continue;
        }
        gVirtualMs += 3000;  // the player takes a moment before every action
        Action action{};
        const bool acted = options.player == PlayerCarefulStyle ? ChooseCarefulAction(sim, action)
                                                                : ChooseRandomAction(sim, action);
        if (!acted) {
            stuck = true;
            break;
        }
        if (action.kind == ActionClick) {
            const Event event = BeginEvent(sim, EventClick, StartButton);
            Click(sim, action.x, action.y);
            FinishEvent(sim, event);
        } else {
            const Event event = BeginEvent(sim, EventPress, action.control);
            Press(sim, action.control);
            FinishEvent(sim, event);
        }
    }
    timespec wallEnd{};
    clock_gettime(CLOCK_MONOTONIC, &wallEnd);
    const double seconds = static_cast<double>(wallEnd.tv_sec - wallStart.tv_sec) +
                           static_cast<double>(wallEnd.tv_nsec - wallStart.tv_nsec) / 1e9;
    InstallTable(nullptr, nullptr);
    SetClockSources(nullptr, nullptr);

    const Summary& summary = sim.summary;
    std::printf("matches: %lld\n", summary.matches);
    std::printf("deals: %lld\n", summary.deals);
    std::printf("showdowns: %lld\n", summary.showdowns);
    std::printf("player_folds: %lld\n", summary.playerFolds);
    std::printf("computer_folds: %lld\n", summary.computerFolds);
    std::printf("computer_match_wins: %lld\n", summary.computerMatchWins);
    std::printf("player_match_wins: %lld\n", summary.playerMatchWins);
    std::printf("deals_per_second: %.0f\n",
                seconds > 0 ? static_cast<double>(summary.deals) / seconds : 0.0);
    std::printf("events: %lld\n", summary.events);
    std::printf("virtual_seconds: %lld\n", static_cast<long long>(gVirtualMs / 1000));
    int status = 0;
    if (stuck) {
        std::printf("stuck: %s with no control to use and RoundTimer stopped\n",
                    RoundStateName(sim.match.roundState));
        status = 1;
    }
    if (endless) {
        std::printf("endless: match %lld not over after %lld deals\n", sim.summary.matches + 1,
                    MaxDealsPerMatch);
        status = 1;
    }
    if (options.check) {
        if (sim.violation.empty()) {
            std::printf("invariant_violations: 0\n");
        } else {
            std::printf("invariant_violations: 1\n");
            std::printf("first_violation: %s\n", sim.violation.c_str());
            status = 1;
        }
    }
    FlushLabOutput();
    return status;
}
