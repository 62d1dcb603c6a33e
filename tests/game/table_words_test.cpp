// The table in words: card names, marks, backs and empty slots, hand names
// without their display spacing, the counters, and the clipboard text.
#include <gtest/gtest.h>

#include "game/table_words.h"

namespace {

ShownTable MidDeal() {
    ShownTable shown;
    shown.speechShown = true;
    shown.speech = "私は 2 枚替えよう\nよし";
    for (int slot = 0; slot < 5; ++slot) shown.slots[slot] = SlotShowsBack;
    shown.slots[1] = SlotShowsEmpty;
    const Card player[5] = {0, 13 + 9, 26 + 12, 39 + 10, 11};
    for (int k = 0; k < 5; ++k) {
        shown.slots[5 + k] = SlotShowsFace;
        shown.cards[5 + k] = player[k];
    }
    shown.faceMarked[26 + 12] = true;
    shown.nameShown[1] = true;
    shown.names[1] = "ワ ン ペ ア";
    return shown;
}

}  // namespace

TEST(TableWords, NamesEveryPartInReadingOrder) {
    const ShownTable shown = MidDeal();
    const char* const expected[TablePartCount] = {
        "私は 2 枚替えようよし",
        "裏",
        "空き",
        "裏",
        "裏",
        "裏",
        "スペードのA",
        "ハートの10",
        "クラブのK（選択中）",
        "ダイヤのJ",
        "スペードのQ",
        "コンピューターの役",
        "あなたの役：ワンペア",
        "コンピューター 20ドル",
        "あなた 20ドル",
    };
    for (int part = 0; part < TablePartCount; ++part) {
        SCOPED_TRACE(part);
        EXPECT_EQ(TablePartName(shown, part), expected[part]);
    }
    EXPECT_EQ(TablePartName(ShownTable{}, FirstComputerSlotPart), "裏")
        << "the backs drawn at creation";
}

TEST(TableWords, CountersAndMarksFollowWhatWasDrawn) {
    ShownTable shown = MidDeal();
    shown.moneyShown = true;
    shown.computerMoney = 3;
    shown.playerMoney = 37;
    EXPECT_EQ(MoneyWords(shown, ComputerSide), "コンピューター 3ドル");
    EXPECT_EQ(MoneyWords(shown, PlayerSide), "あなた 37ドル");
    shown.faceMarked[26 + 12] = false;
    EXPECT_EQ(SlotWords(shown, 7), "クラブのK");
    EXPECT_EQ(BareHandName(shown, ComputerSide), "");
    shown.nameShown[0] = true;
    shown.names[0] = "  ブ  タ";
    EXPECT_EQ(BareHandName(shown, ComputerSide), "ブタ");
}

TEST(TableWords, DescribesTheTableWithCrLfLines) {
    EXPECT_EQ(DescribeTable(MidDeal()),
              "私は 2 枚替えよう\r\nよし\r\n\r\n"
              "コンピューターの手札：裏 空き 裏 裏 裏\r\n"
              "あなたの手札：スペードのA ハートの10 クラブのK（選択中） ダイヤのJ スペードのQ\r\n"
              "コンピューターの役\r\n"
              "あなたの役：ワンペア\r\n"
              "コンピューター 20ドル\r\n"
              "あなた 20ドル\r\n");
}
