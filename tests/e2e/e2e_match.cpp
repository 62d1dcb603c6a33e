// Whole deals played through the game's window, each step checked against what
// the table shows and which controls are enabled, up to the end of a match.
#include "e2e.h"

#include "cards/hand_eval.h"
#include "game/layout.h"
#include "res/resource.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr unsigned PlayerBetsControls = BetBoxBit | UpBit | DownBit | OkBit;
constexpr unsigned ComputerBetsControls = BetBoxBit | OkBit | FoldBit;
// The first match is lost a dollar a deal: the computer deals every deal and
// the player folds to each bet, so it ends after exactly 20 deals, whatever the
// clock dealt. The next match then calls and bets the most for a few deals.
constexpr int FoldedMatchDeals = 20;
constexpr int MostCallingDeals = 8;

// Prints only failures: the deals repeat the same checks many times.
template <class... Args>
void Check(bool ok, const char* format, Args... args) {
    if (!ok) Report(false, format, args...);
}

struct MatchTracker {
    int computerMoney = 20;
    int playerMoney = 20;
    bool playerDeals = false;  // the computer deals first after the window opens
    int deals = 0;
    bool clicksChecked = false;
    bool typingCheckedComputer = false;
    bool typingCheckedPlayer = false;
    bool refusalChecked = false;
    bool moneyHeldChecked = false;
    int showdowns = 0, playerFolds = 0, computerFolds = 0, playerDealt = 0;
};

bool ShowsFaces(const TableView& table, int first) {
    for (int slot = first; slot < first + 5; ++slot)
        if (table.slots[slot].shows != ShowsFace) return false;
    return true;
}

bool ShowsBacks(const TableView& table, int first) {
    for (int slot = first; slot < first + 5; ++slot)
        if (table.slots[slot].shows != ShowsBack) return false;
    return true;
}

Hand HandIn(const TableView& table, int first) {
    Hand hand{};
    for (int i = 0; i < 5; ++i) hand[i] = table.slots[first + i].card;
    return hand;
}

bool Distinct(const Hand& a) {
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j)
            if (a[i] == a[j]) return false;
    return true;
}

bool Disjoint(const Hand& a, const Hand& b) {
    for (Card x : a)
        if (std::find(b.begin(), b.end(), x) != b.end()) return false;
    return true;
}

int SlotCentreX(int slot) { return SlotLeft(slot) + CardWidth / 2; }
int SlotCentreY(int slot) { return SlotTop(slot) + CardHeight / 2; }

// Keeps made hands whole, pairs and better by rank; otherwise keeps the highest card.
DiscardMask ChooseExchange(const Hand& hand) {
    char name[HandNameBufferSize];
    DiscardMask mask{};
    if (EvaluateHand(hand, name) >= 4) return mask;
    int count[14] = {};
    for (Card card : hand) ++count[CardRank(card)];
    int kept = 0;
    for (int i = 0; i < 5; ++i) {
        mask[i] = count[CardRank(hand[i])] >= 2 ? 0 : 1;
        kept += 1 - mask[i];
    }
    if (kept == 0) {
        int best = 0;
        auto value = [](Card card) { return CardRank(card) == 1 ? 14 : CardRank(card); };
        for (int i = 1; i < 5; ++i)
            if (value(hand[i]) > value(hand[best])) best = i;
        mask[best] = 0;
    }
    return mask;
}

int ReadBet(HWND main) { return _wtoi(ReadWindowText(GetDlgItem(main, BetBox)).c_str()); }

int ExpectedAfterUp(int v, int playerMoney) {
    if (playerMoney < 10 && v == playerMoney) return v;
    return v == 10 ? v : v + 1;
}

int ExpectedAfterDown(int v, int playerMoney, int computerMoney) {
    if (v == 1) return v;
    if (v > playerMoney) return std::min(playerMoney, computerMoney);
    if (v > computerMoney) return computerMoney;
    return v - 1;
}

// Presses ▲ or ▼ once and checks the amount against the stepping rules.
int StepBet(HWND main, bool up, int playerMoney, int computerMoney, int deal) {
    const int before = ReadBet(main);
    const int expected = up ? ExpectedAfterUp(before, playerMoney)
                            : ExpectedAfterDown(before, playerMoney, computerMoney);
    Check(PressButtonAndWait(main, up ? UpButton : DownButton),
          "deal %d: %s is not enabled while the player bets", deal, up ? "Up" : "Down");
    const int after = ReadBet(main);
    Check(after == expected, "deal %d: %s from %d (player %d, computer %d) shows %d, expected %d",
          deal, up ? "Up" : "Down", before, playerMoney, computerMoney, after, expected);
    return after;
}

// Keys, characters and a delete sent to the bet box must leave its number alone.
void CheckBetBoxRefusesTyping(HWND main, int deal) {
    HWND box = GetDlgItem(main, BetBox);
    const std::wstring before = ReadWindowText(box);
    DWORD_PTR result = 0;
    for (WPARAM character : {WPARAM('7'), WPARAM('0'), WPARAM('\b'), WPARAM('x')})
        SendMessageTimeoutW(box, WM_CHAR, character, 1, SMTO_NORMAL, 2000, &result);
    for (WPARAM key : {WPARAM(VK_DELETE), WPARAM(VK_BACK)}) {
        SendMessageTimeoutW(box, WM_KEYDOWN, key, 1, SMTO_NORMAL, 2000, &result);
        SendMessageTimeoutW(box, WM_KEYUP, key, 0xC0000001, SMTO_NORMAL, 2000, &result);
    }
    SendMessageTimeoutW(box, WM_CLEAR, 0, 0, SMTO_NORMAL, 2000, &result);
    // And through the game's own message loop, where key presses become characters.
    PostMessageW(box, WM_KEYDOWN, '5', 1);
    PostMessageW(box, WM_KEYUP, '5', 0xC0000001);
    Pause(250);
    const std::wstring after = ReadWindowText(box);
    Report(after == before, "deal %d: the bet box cannot be typed into (\"%ls\" stays \"%ls\")",
           deal, before.c_str(), after.c_str());
}

// The player deals: ▼ and ▲ step by one, stop at the ceiling, and a bet above the
// computer's money is refused; the bet then goes to the largest the rules allow.
int PlacePlayerBet(Session& session, HWND main, MatchTracker& match, int deal) {
    const int pm = match.playerMoney, cm = match.computerMoney;
    const int target = std::min(10, std::min(pm, cm));
    int v = ReadBet(main);
    if (v > 1 && v <= std::min(pm, cm)) {
        v = StepBet(main, false, pm, cm, deal);
        v = StepBet(main, true, pm, cm, deal);
    }
    for (int guard = 0; v != target && guard < 20; ++guard) {
        const int next = StepBet(main, v < target, pm, cm, deal);
        if (next == v) break;
        v = next;
    }
    Check(v == target, "deal %d: the bet box could not be brought to %d (shows %d)", deal, target,
          v);
    if (target == std::min(10, pm)) StepBet(main, true, pm, cm, deal);  // at the ceiling: no change

    if (!match.refusalChecked && cm < std::min(10, pm)) {
        // One more than the computer holds: OK must refuse it and change nothing.
        TableCapture before;
        CaptureClient(main, before.frame);
        const int over = StepBet(main, true, pm, cm, deal);
        Check(PressButtonAndWait(main, OkButton),
              "deal %d: OK is not enabled while the player bets", deal);
        const unsigned controls = ReadSettledControls(main);
        TableCapture after;
        const bool spoke = WaitForTable(session, main, 1500, after, [&](const TableView&) {
            Picture a = CropRegion(before.frame, SpeechLeft, SpeechTop, SpeechRight - SpeechLeft,
                                   SpeechBottom - SpeechTop);
            Picture b = CropRegion(after.frame, SpeechLeft, SpeechTop, SpeechRight - SpeechLeft,
                                   SpeechBottom - SpeechTop);
            return a.pixels != b.pixels;
        });
        Report(over == cm + 1 && controls == PlayerBetsControls && spoke,
               "deal %d: a bet of %d against the computer's %d is refused with a line; the "
               "controls stay %s",
               deal, over, cm, DescribeControls(controls).c_str());
        SaveScreenshot(session, main, "bet-refused");
        v = StepBet(main, false, pm, cm, deal);
        Check(v == cm, "deal %d: Down from a bet above the computer's money goes to %d, shows %d",
              deal, cm, v);
        match.refusalChecked = true;
    }
    return v;
}

// Waits until the controls are one of `targets`; every other set seen on the
// way must be one of `allowed`. Returns the target reached, or ~0u.
unsigned WaitForControls(HWND main, std::initializer_list<unsigned> targets,
                         std::initializer_list<unsigned> allowed, int timeoutMs, int deal,
                         const char* step) {
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    unsigned lastBad = ~0u;
    for (;;) {
        const unsigned controls = ReadSettledControls(main);
        if (std::find(targets.begin(), targets.end(), controls) != targets.end()) return controls;
        if (std::find(allowed.begin(), allowed.end(), controls) == allowed.end() &&
            controls != lastBad) {
            Report(false, "deal %d: %s: %s enabled, not a set of this step", deal, step,
                   DescribeControls(controls).c_str());
            lastBad = controls;
        }
        if (MillisecondsSince(start) > timeoutMs) {
            Report(false, "deal %d: %s: still %s after %d ms", deal, step,
                   DescribeControls(controls).c_str(), timeoutMs);
            return ~0u;
        }
        Sleep(20);
    }
}

// Marks and unmarks the player's cards; the first check of a deal proves that a
// second click restores the picture exactly.
bool MarkCards(Session& session, HWND main, MatchTracker& match, const TableCapture& dealt,
               const DiscardMask& mask, int deal) {
    const Hand hand = HandIn(dealt.table, 5);
    int probe = 0;
    while (probe < 4 && !mask[probe]) ++probe;
    const int probeSlot = 5 + probe;

    if (!match.clicksChecked) {
        // Clicks that must change nothing: the right button, the computer's cards, and
        // the right and bottom edges of a player slot (they belong to no card).
        PostMessageW(main, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(SlotCentreX(5), SlotCentreY(5)));
        PostMessageW(main, WM_RBUTTONUP, 0, MAKELPARAM(SlotCentreX(5), SlotCentreY(5)));
        PostClick(main, SlotCentreX(2), SlotCentreY(2));
        PostClick(main, SlotLeft(5) + CardWidth, SlotCentreY(5));
        PostClick(main, SlotCentreX(6), PlayerRowTop + CardHeight);
        // The top-left corner does belong to the card.
        PostClick(main, SlotLeft(5), PlayerRowTop);
        TableCapture marked;
        const bool cornerMarks = WaitForTable(session, main, 2000, marked, [&](const TableView& t) {
            return t.slots[5].shows == ShowsMarkedFace && t.slots[5].card == hand[0];
        });
        bool restIntact = cornerMarks;
        for (int y = 0; restIntact && y < marked.frame.height; ++y)
            for (int x = 0; x < marked.frame.width; ++x) {
                const bool inSlot5 = x >= SlotLeft(5) && x < SlotLeft(5) + CardWidth &&
                                     y >= PlayerRowTop && y < PlayerRowTop + CardHeight;
                if (!inSlot5 && marked.frame.At(x, y) != dealt.frame.At(x, y)) {
                    restIntact = false;
                    break;
                }
            }
        Report(cornerMarks && restIntact,
               "deal %d: right clicks, clicks on the computer's cards and on slot edges change "
               "nothing; a click on "
               "a card's top-left corner marks it",
               deal);
        PostClick(main, SlotLeft(5) + CardWidth - 1, PlayerRowTop + CardHeight - 1);
        TableCapture unmarked;
        Check(WaitForTable(session, main, 2000, unmarked,
                           [&](const TableView&) {
                               return RegionEquals(unmarked.frame, SlotLeft(5), PlayerRowTop,
                                                   CropRegion(dealt.frame, SlotLeft(5),
                                                              PlayerRowTop, CardWidth, CardHeight),
                                                   CardWidth);
                           }),
              "deal %d: a click on a card's bottom-right pixel does not unmark it", deal);
        match.clicksChecked = true;
    }

    // Mark, then unmark: the picture must come back byte for byte.
    const Picture clean =
        CropRegion(dealt.frame, SlotLeft(probeSlot), PlayerRowTop, CardWidth, CardHeight);
    PostClick(main, SlotCentreX(probeSlot), SlotCentreY(probeSlot));
    TableCapture seen;
    const bool marked = WaitForTable(session, main, 2000, seen, [&](const TableView& t) {
        return t.slots[probeSlot].shows == ShowsMarkedFace &&
               t.slots[probeSlot].card == hand[probe];
    });
    Check(marked, "deal %d: a clicked card does not show the mark: %s", deal,
          DescribeSlots(seen.table).c_str());
    Check(session.pictures.markColour[hand[probe]] == 0x00FFFF,
          "deal %d: the mark colour is %06x, not cyan", deal,
          session.pictures.markColour[hand[probe]]);
    if (deal == 1) {
        Report(marked, "deal 1: a clicked card shows the mark (white turned cyan)");
        SaveScreenshot(session, main, "marked-card");
    }
    PostClick(main, SlotCentreX(probeSlot), SlotCentreY(probeSlot));
    const bool restored = WaitForTable(session, main, 2000, seen, [&](const TableView&) {
        return RegionEquals(seen.frame, SlotLeft(probeSlot), PlayerRowTop, clean, CardWidth);
    });
    Check(restored, "deal %d: a second click does not restore the card exactly: %s", deal,
          DescribeSlots(seen.table).c_str());
    if (deal == 1) Report(restored, "deal 1: a second click restores the card pixel for pixel");

    for (int i = 0; i < 5; ++i)
        if (mask[i]) PostClick(main, SlotCentreX(5 + i), SlotCentreY(5 + i));
    const bool allMarked = WaitForTable(session, main, 2000, seen, [&](const TableView& t) {
        for (int i = 0; i < 5; ++i) {
            const SlotShows wanted = mask[i] ? ShowsMarkedFace : ShowsFace;
            if (t.slots[5 + i].shows != wanted || t.slots[5 + i].card != hand[i]) return false;
        }
        return true;
    });
    Check(allMarked, "deal %d: the chosen cards are not all marked: %s", deal,
          DescribeSlots(seen.table).c_str());
    return marked && restored && allMarked;
}

// One whole deal, from Start or, when `started`, from the deal Start just dealt.
// Returns false when the game can no longer be followed.
bool PlayDeal(Session& session, GameProcess& game, MatchTracker& match, bool foldAsCaller,
              bool started = false) {
    HWND main = game.main;
    const int deal = ++match.deals;

    // Start: five distinct faces below, five backs above, only Change enabled.
    if (!started) {
        Check(ReadSettledControls(main) == StartBit, "deal %d: before Start the controls are %s",
              deal, DescribeControls(ReadSettledControls(main)).c_str());
        if (!PressButtonAndWait(main, StartButton)) {
            Report(false, "deal %d: Start is not enabled", deal);
            return false;
        }
    }
    unsigned controls = ReadSettledControls(main);
    Check(controls == ChangeBit, "deal %d: after Start %s enabled, expected Change", deal,
          DescribeControls(controls).c_str());
    TableCapture dealt;
    if (!WaitForTable(session, main, 3000, dealt, [](const TableView& t) {
            return ShowsFaces(t, 5) && ShowsBacks(t, 0) && t.mouth == IDB_MOUTH_OPEN &&
                   t.playerStripBlank && t.computerStripBlank && t.playerMoney >= 0;
        })) {
        Report(false, "deal %d: after Start the table shows %s", deal,
               DescribeSlots(dealt.table).c_str());
        SaveScreenshot(session, main, "fail-after-start");
        return false;
    }
    Hand hand = HandIn(dealt.table, 5);
    Check(Distinct(hand), "deal %d: the player's five faces are not distinct: %s", deal,
          DescribeSlots(dealt.table).c_str());
    Check(dealt.table.computerMoney == match.computerMoney &&
              dealt.table.playerMoney == match.playerMoney,
          "deal %d: after Start the counters show %d/%d, expected %d/%d", deal,
          dealt.table.computerMoney, dealt.table.playerMoney, match.computerMoney,
          match.playerMoney);
    if (deal == 1) {
        Report(Distinct(hand),
               "deal 1: Start shows five distinct faces below and five backs above, mouth open");
        SaveScreenshot(session, main, "after-start");
    }

    // Marks, then Change: the marked slots receive new cards, the rest stay.
    const DiscardMask mask = ChooseExchange(hand);
    if (!MarkCards(session, main, match, dealt, mask, deal))
        SaveScreenshot(session, main, "fail-marks");
    if (!PressButtonAndWait(main, ChangeButton)) {
        Report(false, "deal %d: Change is not enabled", deal);
        return false;
    }
    controls = ReadSettledControls(main);
    Check(controls == 0, "deal %d: after Change %s enabled, expected none", deal,
          DescribeControls(controls).c_str());
    TableCapture drawn;
    const bool exchanged = WaitForTable(session, main, 3000, drawn, [&](const TableView& t) {
        if (!ShowsFaces(t, 5) || !t.playerStripNamed) return false;
        for (int i = 0; i < 5; ++i)
            if (!mask[i] && t.slots[5 + i].card != hand[i]) return false;
        return true;
    });
    const Hand drawnHand = HandIn(drawn.table, 5);
    bool newCards = exchanged && Distinct(drawnHand);
    for (int i = 0; i < 5; ++i)
        if (mask[i] && std::find(hand.begin(), hand.end(), drawnHand[i]) != hand.end())
            newCards = false;
    Check(newCards,
          "deal %d: after Change the marked slots do not hold new cards: before %d %d %d %d %d, "
          "now %s",
          deal, hand[0], hand[1], hand[2], hand[3], hand[4], DescribeSlots(drawn.table).c_str());
    if (deal == 1) {
        Report(newCards,
               "deal 1: after Change the marked slots hold new cards and the hand is named");
        SaveScreenshot(session, main, "after-change");
    }
    if (!exchanged) return false;
    hand = drawnHand;

    // The computer's turn runs on the timer; nothing is enabled until the betting.
    controls = WaitForControls(main, {PlayerBetsControls, ComputerBetsControls}, {0u}, 8000, deal,
                               "to the betting");
    if (controls == ~0u) {
        SaveScreenshot(session, main, "fail-betting");
        return false;
    }
    const bool playerDeals = controls == PlayerBetsControls;
    Check(playerDeals == match.playerDeals, "deal %d: the %s deals, expected the %s", deal,
          playerDeals ? "player" : "computer", match.playerDeals ? "player" : "computer");
    TableCapture betting;
    Check(WaitForTable(
              session, main, 2000, betting,
              [](const TableView& t) { return ShowsBacks(t, 0) && t.mouth == IDB_MOUTH_OPEN; }),
          "deal %d: at the betting the computer's cards are not five backs: %s", deal,
          DescribeSlots(betting.table).c_str());

    bool& typingChecked = playerDeals ? match.typingCheckedPlayer : match.typingCheckedComputer;
    if (!typingChecked) {
        CheckBetBoxRefusesTyping(main, deal);
        SaveScreenshot(session, main, playerDeals ? "player-bets" : "computer-bets");
        typingChecked = true;
    }

    int stake = 0;
    bool playerFolds = false;
    if (playerDeals) {
        ++match.playerDealt;
        stake = PlacePlayerBet(session, main, match, deal);
        Check(PressButtonAndWait(main, OkButton), "deal %d: OK is not enabled", deal);
    } else {
        stake = ReadBet(main);
        const int ceiling = std::min(10, std::min(match.playerMoney, match.computerMoney));
        Check(stake >= 1 && stake <= ceiling, "deal %d: the computer bets %d, outside 1..%d", deal,
              stake, ceiling);
        playerFolds = foldAsCaller;
        Check(PressButtonAndWait(main, playerFolds ? FoldButton : OkButton),
              "deal %d: %s is not enabled", deal, playerFolds ? "Fold" : "OK");
    }
    // Only the bet box until the deal settles; on a loaded machine the next
    // timer step may already have settled it, and then only Start.
    controls = ReadSettledControls(main);
    Check(controls == BetBoxBit || controls == StartBit,
          "deal %d: after %s %s enabled, expected only the bet box (or Start once settled)", deal,
          playerFolds ? "Fold" : "OK", DescribeControls(controls).c_str());

    // Showdown or fold: the counters keep the old amounts until the deal settles.
    LARGE_INTEGER waitStart;
    QueryPerformanceCounter(&waitStart);
    for (;;) {
        const unsigned before = ReadSettledControls(main);
        TableCapture now;
        CaptureClient(main, now.frame);
        const unsigned after = ReadSettledControls(main);
        if (before == StartBit && after == StartBit) break;
        if (before != BetBoxBit && before != StartBit) {
            Report(false, "deal %d: between the bet and the settlement %s enabled", deal,
                   DescribeControls(before).c_str());
            break;
        }
        if (before == BetBoxBit && after == BetBoxBit && !match.moneyHeldChecked) {
            now.table = ReadTable(now.frame, session.pictures);
            if (ShowsFaces(now.table, 0)) {
                Report(
                    now.table.computerMoney == match.computerMoney &&
                        now.table.playerMoney == match.playerMoney,
                    "deal %d: at the showdown the counters still show the old %d/%d (show %d/%d)",
                    deal, match.computerMoney, match.playerMoney, now.table.computerMoney,
                    now.table.playerMoney);
                SaveScreenshot(session, main, "showdown");
                match.moneyHeldChecked = true;
            }
        }
        if (MillisecondsSince(waitStart) > 6000) {
            Report(false, "deal %d: the deal does not settle", deal);
            SaveScreenshot(session, main, "fail-settle");
            return false;
        }
        Sleep(20);
    }

    // Every settlement moves money, so the new counters tell the repainted table
    // from the last picture before it.
    TableCapture settled;
    WaitForTable(session, main, 2000, settled, [&](const TableView& t) {
        return t.computerMoney >= 0 && t.playerMoney >= 0 && t.mouth == IDB_MOUTH_OPEN &&
               (t.computerMoney != match.computerMoney || t.playerMoney != match.playerMoney);
    });
    const TableView& table = settled.table;
    Check(table.computerMoney + table.playerMoney == 40,
          "deal %d: the counters show %d + %d, not 40", deal, table.computerMoney,
          table.playerMoney);
    Check(table.mouth == IDB_MOUTH_OPEN,
          "deal %d: at the end of the deal the mouth is %d, not open", deal, table.mouth);
    Check(table.playerStripNamed, "deal %d: the player's hand name is gone at the settlement",
          deal);

    // Who won, from the cards on the table and the rules of the showdown.
    int delta = 0;
    const char* outcome = "";
    const bool shown = ShowsFaces(table, 0);
    if (shown) {
        const Hand computerHand = HandIn(table, 0);
        Check(Distinct(computerHand) && Disjoint(computerHand, hand),
              "deal %d: the computer's shown hand repeats cards: %s", deal,
              DescribeSlots(table).c_str());
        Check(table.computerStripNamed, "deal %d: the computer's hand is not named at the showdown",
              deal);
        char name[HandNameBufferSize];
        const int playerCategory = EvaluateHand(hand, name);
        const int computerCategory = EvaluateHand(computerHand, name);
        const bool playerWins =
            playerDeals ? playerCategory >= computerCategory : playerCategory > computerCategory;
        delta = playerWins ? stake : -stake;
        match.playerDeals = playerWins;
        ++match.showdowns;
        outcome = playerWins ? "showdown won by the player" : "showdown won by the computer";
    } else {
        Check(ShowsBacks(table, 0), "deal %d: after a fold the computer's cards are not backs: %s",
              deal, DescribeSlots(table).c_str());
        Check(!playerFolds || !playerDeals, "deal %d: the dealer folded", deal);
        delta = playerFolds ? -1 : 1;
        ++(playerFolds ? match.playerFolds : match.computerFolds);
        outcome = playerFolds ? "the player folds" : "the computer folds";
    }
    Check(table.playerMoney == match.playerMoney + delta &&
              table.computerMoney == match.computerMoney - delta,
          "deal %d: %s with a stake of %d: counters %d/%d, expected %d/%d", deal, outcome, stake,
          table.computerMoney, table.playerMoney, match.computerMoney - delta,
          match.playerMoney + delta);
    Note("deal %d: the %s deals, bet %d, %s; computer %d, player %d", deal,
         playerDeals ? "player" : "computer", stake, outcome, table.computerMoney,
         table.playerMoney);
    match.computerMoney = table.computerMoney;
    match.playerMoney = table.playerMoney;
    return table.computerMoney >= 0 && table.playerMoney >= 0;
}

}  // namespace

void PlayOneDeal(Session& session, GameProcess& game) {
    MatchTracker match;
    const int failuresBefore = FailureCount();
    const bool played = PlayDeal(session, game, match, false);
    Report(played && FailureCount() == failuresBefore,
           "one whole deal: controls as tabled at each step, the stake moving as the cards say; "
           "computer %d, player %d",
           match.computerMoney, match.playerMoney);
}

void PlayMatchToTheEnd(Session& session, GameProcess& game) {
    MatchTracker match;
    const int failuresBefore = FailureCount();
    bool following = true;
    while (following && match.computerMoney != 40 && match.playerMoney != 40 &&
           match.deals < FoldedMatchDeals) {
        // The second deal is played by keyboard alone, checked like every other.
        gByKeyboard = match.deals == 1;
        const int dealFailuresBefore = FailureCount();
        following = PlayDeal(session, game, match, true);
        if (gByKeyboard) {
            const std::string keys = TakeKeysTyped();
            Report(following && FailureCount() == dealFailuresBefore && !keys.empty(),
                   "deal 2 played by keyboard alone, typed through SendInput: %s", keys.c_str());
            SaveScreenshot(session, game.main, "keyboard-deal");
        }
        gByKeyboard = false;
    }
    const bool ended = match.computerMoney == 40;
    Report(ended && match.deals == FoldedMatchDeals && match.playerFolds == FoldedMatchDeals,
           "a whole match ends at 40 after %d deals, the player folding to each of the "
           "computer's bets; computer %d, player %d",
           match.deals, match.computerMoney, match.playerMoney);
    if (!ended) return;
    SaveScreenshot(session, game.main, "match-end");

    // The next Start begins a new match at 20 and 20.
    Check(PressButtonAndWait(game.main, StartButton),
          "deal %d: Start is not enabled after the match", match.deals + 1);
    TableCapture fresh;
    const bool reset = WaitForTable(session, game.main, 3000, fresh, [](const TableView& t) {
        return ShowsFaces(t, 5) && ShowsBacks(t, 0) && t.playerStripBlank && t.computerMoney >= 0 &&
               t.playerMoney >= 0;
    });
    Report(reset && fresh.table.computerMoney == 20 && fresh.table.playerMoney == 20,
           "the Start after the match's end resets the counters to 20 and 20 (shows %d/%d)",
           fresh.table.computerMoney, fresh.table.playerMoney);
    SaveScreenshot(session, game.main, "new-match");

    // The new match: every bet called, the most bet, until a showdown and a deal
    // by the player have been seen, for a few deals at most. The deals go on being
    // numbered from the first match, and what was checked once is not again.
    MatchTracker next;
    next.deals = match.deals;
    next.clicksChecked = match.clicksChecked;
    next.typingCheckedComputer = match.typingCheckedComputer;
    following = reset;
    while (following && next.computerMoney != 40 && next.playerMoney != 40 &&
           next.deals - match.deals < MostCallingDeals &&
           (next.showdowns == 0 || next.playerDealt == 0)) {
        following = PlayDeal(session, game, next, false, next.deals == match.deals);
    }
    Report(following,
           "the new match: %d deals (%d showdowns, %d computer folds, %d dealt by the player); "
           "computer %d, player %d",
           next.deals - match.deals, next.showdowns, next.computerFolds, next.playerDealt,
           next.computerMoney, next.playerMoney);
    Report(FailureCount() == failuresBefore,
           "every deal: controls as tabled at each step, counters adding up to 40, the stake "
           "moving as the cards say");
    // Left in the first step of a deal, for what the run checks next.
    if (following) {
        Check(PressButtonAndWait(game.main, StartButton), "Start is not enabled after deal %d",
              next.deals);
    }
}
