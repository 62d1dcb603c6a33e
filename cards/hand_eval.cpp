// Classification of five cards into the eleven hand categories.
#include "cards/hand_eval.h"

#include <cstring>

namespace {

const char* const CategoryNames[HandCategoryCount] = {
    "  ブ  タ",
    "ワ ン ペ ア",
    "ツ ー ペ ア",
    "スリーカード",
    "ストレート",
    "ロイヤルストレート",
    "フラッシュ",
    "フルハウス",
    "フォーカード",
    "ストレートフラッシュ",
    "ロイヤルストレートフラッシュ",
};

HandCategory ClassifyHand(const Hand& hand) {
    int rank[5];
    int suit[5];
    for (int k = 0; k < 5; ++k) {
        rank[k] = hand[k] % 13 + 1;
        suit[k] = hand[k] / 13;
    }
    SortRange(rank, 0, 4);

    const int equal =
        (rank[0] == rank[1]) + (rank[1] == rank[2]) + (rank[2] == rank[3]) + (rank[3] == rank[4]);
    if (equal == 1) return OnePair;
    if (equal == 2) {
        for (int i = 0; i <= 2; ++i) {
            if (AllEqual3(rank[i], rank[i + 1], rank[i + 2])) return ThreeOfAKind;
        }
        return TwoPair;
    }
    if (equal == 3) return rank[1] == rank[3] ? FourOfAKind : FullHouse;

    const int steps = (rank[1] == rank[0] + 1) + (rank[2] == rank[1] + 1) +
                      (rank[3] == rank[2] + 1) + (rank[4] == rank[3] + 1);
    bool suited = true;
    for (int k = 1; k < 5; ++k) {
        if (suit[k] != suit[0]) suited = false;
    }
    if (steps == 4) return suited ? StraightFlush : Straight;
    if (steps == 3 && rank[0] == 1 && rank[1] == 10)
        return suited ? RoyalStraightFlush : RoyalStraight;
    if (suited) return Flush;
    return NoHand;
}

}  // namespace

HandCategory EvaluateHand(const Hand& hand, char* name) {
    const HandCategory category = ClassifyHand(hand);
    std::strcpy(name, CategoryNames[category]);
    return category;
}

const char* HandCategoryName(int category) {
    if (category < NoHand || category > RoyalStraightFlush) return nullptr;
    return CategoryNames[category];
}
