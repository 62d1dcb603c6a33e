// The core's texts, converted by the build, against the bytes the compiler
// itself makes of the same UTF-8 (this file is built with -fexec-charset=CP932).
// The table words are compared in table_words_test.cpp.
#include <gtest/gtest.h>

#include <string>

#include "cards/hand_eval.h"
#include "game/dialogue.h"

namespace {

struct Said {
    DialogueLine line;
    const char* text;
};

// clang-format off
constexpr Said CompilerDialogue[] = {
    {GreetingEveningLine, "やあ、こんばんは\n\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},
    {GreetingEveningOrMorningLine, "やあ、こんばんは\nいや、おはようかな？\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},
    {GreetingMorningOrEveningLine, "やあ、おはよう\nいや、こんばんはかな？\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},
    {GreetingEarlyMorningLine, "やあ、おはよう、ずいぶん早いね\n\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},
    {GreetingMorningLine, "やあ、おはよう\n\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},
    {GreetingDayLine, "やあ、こんにちは\n\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},
    {ChooseCardsLine, "それではチェンジしたいカードをクリックしてくれたまえ\n\n決まったら次は\nチェンジボタンだ"},
    {ComputerTurnLine, "次は私の番だ"},
    {ComputerKeepsAllLine, "私は取り替えるカードはないな"},
    {ComputerExchangesLine, "私は %d 枚替えよう"},
    {PlayerBetAskLine, "それでは君は何ドル賭けるかな"},
    {ComputerBetsBigLine, "おっ、なかなかいい手ができたぞ\n\n %d ドル賭けよう\n\nぜひ挑戦してくれたまえ"},
    {ComputerBetsLine, "それでは私は\n%d ドル賭けよう\n\n今おりれば\n私に １ ドル払うだけで済むぞ"},
    {ComputerBetsLastDollarLine, "それでは私は\n1 ドル賭けよう\n\nあとがなくなったようだな"},
    {BetTooLargeLine, "賭け数が大きすぎるようだな"},
    {ComputerFoldsLine, "うーん… 私は下りるとしよう"},
    {ComputerFoldsToBigBetLine, "なかなか強気だな\n\n残念だが私は下りるとしよう"},
    {ComputerCallsLine, "よし、それなら勝負だ"},
    {ComputerCallsBigBetLine, "なかなか強気だな\n\nだが、ここは勝負と行こう"},
    {PlayerFoldsFifthTimeLine, "どうしたんだい、ずいぶん弱気じゃないか"},
    {PlayerFoldsToBigBetLine, "う～ん、今のは\n勝負して欲しかったよ"},
    {PlayerFoldsLastDollarLine, "残念な選択だな"},
    {PlayerFoldsLine, "賢明な選択だな"},
    {ComputerWinsMatchAsDealerLine, "私の勝ちだ"},
    {ComputerKeepsDealLine, "ディーラーはそう簡単には譲れないな"},
    {PlayerWinsMatchLine, "君の勝ちだ"},
    {PlayerGoodHandLine, "なかなかいい手じゃないか\n\nさあ、次は君がディーラーだ"},
    {PlayerGreatHandLine, "おう、素晴らしい手ができたな\n\nさあ、次は君がディーラーだ"},
    {PlayerTakesDealLine, "次は、君が\nディーラーだ"},
    {ComputerDeniesPeekingLine, "断って置くが、私は君のカードを盗み見なんてしてない\n君のゲームをじっくり観察しているだけだ"},
    {ComputerWinsMatchLine, "私が勝ったようだな"},
    {ComputerTakesDealLine, "今度は私が\nディーラーだ"},
    {PlayerWinsAsDealerLine, "君の勝ちだ\n\nなかなかやるな"},
    {PressStartLine, "さあ、スタートボタンを押してくれたまえ"},
    {ComputerMatchOverLine, "君には残念だが、私の勝利だ\n\nもう一度私に挑戦したいならスタートボタンを押してくれたまえ"},
    {PlayerMatchOverLine, "おめでとう\n君の勝利だ\n\nもう一度プレーしたいならスタートボタンを押してくれたまえ"},
};
// clang-format on
static_assert(sizeof CompilerDialogue / sizeof CompilerDialogue[0] == DialogueLineCount);

const char* const CompilerHandNames[HandCategoryCount] = {
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

}  // namespace

TEST(ShiftJisTexts, EveryDialogueLineHasTheCompilersBytes) {
    for (int k = 0; k < DialogueLineCount; ++k) {
        const Said& said = CompilerDialogue[k];
        ASSERT_EQ(said.line, k) << "the rows in the order of DialogueLine";
        SCOPED_TRACE(k);
        EXPECT_EQ(std::string(DialogueText(said.line)), said.text);
    }
}

TEST(ShiftJisTexts, EveryHandNameHasTheCompilersBytes) {
    for (int category = 0; category < HandCategoryCount; ++category) {
        SCOPED_TRACE(category);
        EXPECT_EQ(std::string(HandCategoryName(category)), CompilerHandNames[category]);
    }
}
