// The computer's observation of the player across a run of deals.
#include <gtest/gtest.h>

#include <vector>

#include "cards/random.h"
#include "opponent/opponent.h"
#include "opponent_test_util.h"

namespace {

// What the observation reads and keeps, as the game holds it.
struct Seat {
    int playerMoney = 20;
    int computerMoney = 20;
    int playerDrawCount = 0;
    Deal deal;
    PlayerObservation observation;
};

void ObserveKeptCards(Seat& seat) {
    ObserveKeptCards(seat.deal.playerHand, seat.deal.playerDiscards, seat.playerDrawCount,
                     seat.observation);
}

// One confirmed dealer bet and what the observation must make of it.
struct DealerBet {
    int playerMoney;
    int playerDrawCount;
    int bet;
    int lastWonBet;
    int prevWonBet;
    int bluffSuspected;
    int betsOver2, betsOver3, betsOver4;  // afterwards
};

// Plays the bets in order on one record, as the deals of one session would.
void PlayDealerBets(const std::vector<DealerBet>& bets, Seat match = Seat()) {
    int step = 0;
    for (const DealerBet& b : bets) {
        ++step;
        match.playerMoney = b.playerMoney;
        match.computerMoney = 40 - b.playerMoney;
        match.playerDrawCount = b.playerDrawCount;
        match.observation.lastWonBet = b.lastWonBet;
        match.observation.prevWonBet = b.prevWonBet;
        ResetRandomDrawCount();
        EXPECT_EQ(
            ObserveDealerBet(b.bet, match.playerMoney, match.playerDrawCount, match.observation),
            b.bluffSuspected)
            << "bet " << step;
        EXPECT_EQ(CountRandomDraws(), 0) << "bet " << step;
        EXPECT_EQ(match.observation.betsOver2, b.betsOver2) << "bet " << step;
        EXPECT_EQ(match.observation.betsOver3, b.betsOver3) << "bet " << step;
        EXPECT_EQ(match.observation.betsOver4, b.betsOver4) << "bet " << step;
        EXPECT_EQ(match.observation.prevDealerDrawCount, b.playerDrawCount) << "bet " << step;
    }
}

TEST(ObserveDealerBet, LargeBetsTriggerAndSetTheCountersBack) {
    PlayDealerBets({
        // money drawn bet last prev -> bluff  over2 over3 over4
        {20, 1, 5, 0, 0, 0, 1, 1, 1},
        {25, 2, 6, 0, 0, 0, 2, 2, 2},
        {33, 1, 5, 0, 0, 1, 4, 3, 2},  // betsOver4 reached 3; set back, player exchanged
        {20, 1, 3, 0, 0, 1, 4, 3, 2},  // betsOver2 reached 5 again
        {20, 1, 2, 0, 0, 0, 4, 3, 2},  // a bet of 2 counts nowhere
        {34, 1, 9, 0, 0, 0, 4, 3, 2},  // a rich player's bets never count
        {39, 3, 10, 0, 0, 0, 4, 3, 2},
        {20, 3, 4, 0, 0, 1, 4, 3, 2},  // 4 adds to two counters: over2 5, over3 4
    });
}

TEST(ObserveDealerBet, ASetBackAfterAPatHandLeavesTwoToGo) {
    PlayDealerBets({
        {20, 1, 4, 0, 0, 0, 1, 1, 0},
        {20, 1, 4, 0, 0, 0, 2, 2, 0},
        {20, 1, 4, 0, 0, 0, 3, 3, 0},
        {20, 0, 4, 0, 0, 1, 3, 2, 1},  // betsOver3 reached 4 with a pat hand
        {20, 1, 3, 0, 0, 0, 4, 2, 1},
        {20, 1, 3, 0, 0, 1, 4, 3, 2},  // betsOver2 reached 5; the player exchanged
    });
}

TEST(ObserveDealerBet, RepeatedStakesAndPatHands) {
    PlayDealerBets({
        {20, 1, 4, 4, 0, 1, 1, 1, 0},  // repeats the last winning stake of 4
        {20, 1, 2, 2, 0, 0, 1, 1, 0},  // a repeat of 2 is not enough...
        {20, 1, 2, 2, 2, 1, 1, 1, 0},  // ...unless the stake before was 2 too
        {20, 1, 1, 3, 1, 1, 1, 1, 0},  // any repeat of the older stake
        {20, 1, 3, 0, 0, 0, 2, 1, 0},  // cleared stakes never match a bet
        {20, 0, 1, 0, 0, 0, 2, 1, 0},  // the first pat hand
        {20, 0, 1, 0, 0, 1, 2, 1, 0},  // the second pat hand in a row
        {20, 2, 1, 0, 0, 0, 2, 1, 0},
        {20, 0, 1, 0, 0, 0, 2, 1, 0},
    });
}

TEST(ObserveDealerBet, TheVeryFirstPatHandIsNotSuspect) {
    Seat match;
    match.playerDrawCount = 0;
    EXPECT_EQ(ObserveDealerBet(5, match.playerMoney, match.playerDrawCount, match.observation), 0);
    EXPECT_EQ(match.observation.betsOver2, 1);
    EXPECT_EQ(match.observation.betsOver4, 1);
    EXPECT_EQ(match.observation.prevDealerDrawCount, 0);
}

struct KeptCards {
    const char* hand;
    DiscardMask discards;
    int playerDrawCount;
    int keepsKickerBefore;
    int keepsKickerAfter;
};

TEST(ObserveKeptCards, LearnsHowThePlayerDrawsToAPair) {
    const KeptCards cases[] = {
        {"7S 2H 7D 3C KS", {0, 1, 0, 1, 0}, 2, 0, 1},  // 7, 7 and a king kept
        {"KS 7D 2H 3C 7S", {0, 0, 1, 1, 0}, 2, 0, 1},
        {"7S 7H 7D 3C 2S", {0, 0, 0, 1, 1}, 2, 0, 0},  // three 7s: unchanged
        {"7S 7H 7D 3C 2S", {0, 0, 0, 1, 1}, 2, 1, 1},
        {"7S 9H KD 3C 2S", {0, 0, 0, 1, 1}, 2, 1, 1},  // no pair kept: unchanged
        {"7S 9H KD 3C 2S", {0, 0, 0, 1, 1}, 2, 0, 0},
        {"9S 9H 2D 3C 4S", {0, 0, 1, 1, 1}, 3, 1, 0},  // a pair and three drawn
        {"9S KH 2D 3C 4S", {0, 0, 1, 1, 1}, 3, 1, 1},
        {"9S 9H 9D 3C 4S", {0, 0, 0, 0, 1}, 1, 0, 0},  // other counts: unchanged
        {"9S 9H 9D 3C 4S", {0, 0, 0, 0, 1}, 1, 1, 1},
        {"9S 9H 2D 3C 4S", {0, 0, 0, 0, 0}, 0, 1, 1},
        {"9S 9H 2D 3C 4S", {0, 1, 1, 1, 1}, 4, 0, 0},
        {"9S 9H 2D 3C 4S", {1, 1, 1, 1, 1}, 5, 1, 1},
    };
    for (const KeptCards& c : cases) {
        Seat match;
        match.deal.playerHand = ParseHand(c.hand);
        match.deal.playerDiscards = c.discards;
        match.playerDrawCount = c.playerDrawCount;
        match.observation.keepsKicker = c.keepsKickerBefore;
        ResetRandomDrawCount();
        ObserveKeptCards(match);
        EXPECT_EQ(match.observation.keepsKicker, c.keepsKickerAfter) << c.hand;
        EXPECT_EQ(CountRandomDraws(), 0);
    }
}

// The habit carries into the computer's answers: with the kicker habit a
// two-card draw costs the call an extra draw and can make it give up.
TEST(ObserveKeptCards, FeedsThePairSuspicionOfLaterAnswers) {
    Seat match;
    match.deal.playerHand = ParseHand("7S 2H 7D 3C KS");
    match.deal.playerDiscards = {0, 1, 0, 1, 0};
    match.playerDrawCount = 2;
    ObserveKeptCards(match);
    int limit = -1;
    const long long taken = CountDrawsOf({50, 2, 10}, [&] {
        limit = ChooseBet(OnePair, 20, 1, match.playerDrawCount, 0, match.observation.keepsKicker);
    });
    EXPECT_EQ(limit, 0);
    EXPECT_EQ(taken, 3);

    match.deal.playerHand = ParseHand("9S 9H 2D 3C 4S");
    match.deal.playerDiscards = {0, 0, 1, 1, 1};
    match.playerDrawCount = 3;
    ObserveKeptCards(match);
    match.playerDrawCount = 2;
    const long long later = CountDrawsOf({50, 2, 10}, [&] {
        limit = ChooseBet(OnePair, 20, 1, match.playerDrawCount, 0, match.observation.keepsKicker);
    });
    EXPECT_EQ(limit, 2);
    EXPECT_EQ(later, 1);
}

}  // namespace
