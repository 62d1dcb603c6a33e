// bluffwick-lab simulate: the scripted players, the random one and the careful one.
#include <cstdint>
#include <cstdlib>

#include "cards/hand_eval.h"
#include "game/layout.h"
#include "game/shown_table.h"
#include "headless_table.h"
#include "simulation.h"

namespace {

// splitmix64: small, and the same sequence for a seed on every host.
std::uint64_t NextPlayerRandom(PlayerRandom& random) {
    std::uint64_t z = (random.state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int PickBelow(PlayerRandom& random, int n) {
    return static_cast<int>(NextPlayerRandom(random) % static_cast<std::uint64_t>(n));
}

// The cards the player sees face up in the lower row.
bool ReadOwnHand(Hand& hand) {
    const ShownTable& shown = TableShown();
    for (int i = 0; i < 5; ++i) {
        if (shown.slots[5 + i] != SlotShowsFace) return false;
        hand[i] = shown.cards[5 + i];
    }
    return true;
}

Action PressAction(TableControl control) { return Action{ActionPress, control, 0, 0}; }

Action ClickCardAction(int position, int dx, int dy) {
    return Action{ActionClick, StartButton, SlotLeft(5 + position) + dx,
                  SlotTop(5 + position) + dy};
}

}  // namespace

// ---- The random player: any card, any enabled button.

bool ChooseRandomAction(Simulation& sim, Action& action) {
    Action options[12];
    int count = 0;
    if (IsEnabled(ChangeButton)) {  // choosing the exchange: the cards can be clicked
        for (int i = 0; i < 5; ++i) {
            options[count++] = ClickCardAction(i, PickBelow(sim.random, CardWidth),
                                               PickBelow(sim.random, CardHeight));
        }
    }
    for (TableControl control :
         {StartButton, ChangeButton, UpButton, DownButton, OkButton, FoldButton}) {
        if (IsEnabled(control)) options[count++] = PressAction(control);
    }
    if (count == 0) return false;
    action = options[PickBelow(sim.random, count)];
    return true;
}

// ---- The careful player: draws and bets by the strength of the hand.

namespace {

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

int BetBoxValue() { return std::atoi(TableControlsShown().betBox); }

}  // namespace

bool ChooseCarefulAction(Simulation& sim, Action& action) {
    Hand hand{};
    char name[HandNameBufferSize];
    if (IsEnabled(StartButton)) {
        action = PressAction(StartButton);
        return true;
    }
    if (IsEnabled(ChangeButton) && ReadOwnHand(hand)) {
        const DiscardMask wanted = CarefulDiscards(hand);
        for (int i = 0; i < 5; ++i) {
            if (SlotMarked(TableShown(), 5 + i) != (wanted[i] == 1)) {
                action = ClickCardAction(i, CardWidth / 2, CardHeight / 2);
                return true;
            }
        }
        action = PressAction(ChangeButton);
        return true;
    }
    if (!IsEnabled(OkButton) || !ReadOwnHand(hand)) return false;
    const HandCategory category = EvaluateHand(hand, name);
    const int box = BetBoxValue();
    if (IsEnabled(FoldButton)) {
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
    if (wanted > TableShown().playerMoney) wanted = TableShown().playerMoney;
    if (wanted > TableShown().computerMoney) wanted = TableShown().computerMoney;
    if (wanted < 1) wanted = 1;
    if (box < wanted && IsEnabled(UpButton)) {
        action = PressAction(UpButton);
    } else if (box > wanted && IsEnabled(DownButton)) {
        action = PressAction(DownButton);
    } else {
        action = PressAction(OkButton);
    }
    return true;
}
