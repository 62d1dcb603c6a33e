// The table in words: card names, marks, backs and empty slots, hand names
// without their display spacing, the counters, and the clipboard text.
#include <gtest/gtest.h>

#include "game/table_words.h"

#include "game/table.h"

namespace {

// A table in the middle of a deal, drawn through the game's own operations
// with no provider installed: the picture is kept all the same.
ShownTable MidDeal() {
    InstallTable(nullptr, nullptr);
    ShowSpeech("私は 2 枚替えよう\nよし");
    DrawEmptySlot(1);
    const Card player[5] = {0, 13 + 9, 26 + 12, 39 + 10, 11};
    for (int k = 0; k < 5; ++k) DrawCardFace(5 + k, player[k]);
    MarkCard(7, 26 + 12, true);
    MarkCard(8, 39 + 10, true);
    MarkCard(8, 39 + 10, false);
    ShowHandName(PlayerSide, OnePair, "ワ ン ペ ア");
    return TableShown();
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
    InstallTable(nullptr, nullptr);
    EXPECT_EQ(DescribeTable(TableShown()),
              "\r\n\r\nコンピューターの手札：裏 裏 裏 裏 裏\r\n"
              "あなたの手札：裏 裏 裏 裏 裏\r\n"
              "コンピューターの役\r\nあなたの役\r\n"
              "コンピューター 20ドル\r\nあなた 20ドル\r\n")
        << "installing a table starts it as the opening table again";
}

TEST(TableWords, CountersAndMarksFollowWhatWasDrawn) {
    MidDeal();
    DrawMoney(3, 37);
    EXPECT_EQ(MoneyWords(TableShown(), ComputerSide), "コンピューター 3ドル");
    EXPECT_EQ(MoneyWords(TableShown(), PlayerSide), "あなた 37ドル");
    ClearCardMark(26 + 12);
    EXPECT_EQ(SlotWords(TableShown(), 7), "クラブのK");
    EXPECT_EQ(BareHandName(TableShown(), ComputerSide), "");
    ShowHandName(ComputerSide, NoHand, "  ブ  タ");
    EXPECT_EQ(BareHandName(TableShown(), ComputerSide), "ブタ");
    ClearHandNames();
    ClearSpeech();
    EXPECT_EQ(TablePartName(TableShown(), PlayerHandNamePart), "あなたの役");
    EXPECT_EQ(SpeechWords(TableShown()), "");
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
