// The opponent's every line, one row each: the line, where it is said, the
// stored text (compiled to Shift-JIS), and what it means.
#include "game/dialogue.h"

namespace {

struct DialogueRow {
    DialogueLine line;
    const char* where;
    const char* text;
};

// clang-format off
constexpr DialogueRow Dialogue[] = {
    {GreetingEveningLine, "MakeGreeting, 0-2 and 18-23 h", "やあ、こんばんは\n\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},  // Good evening. Let's begin; press Start.
    {GreetingEveningOrMorningLine, "MakeGreeting, 3 h", "やあ、こんばんは\nいや、おはようかな？\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},  // Good evening - or is it good morning? ...
    {GreetingMorningOrEveningLine, "MakeGreeting, 4 h", "やあ、おはよう\nいや、こんばんはかな？\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},  // Good morning - or is it good evening? ...
    {GreetingEarlyMorningLine, "MakeGreeting, 5-6 h", "やあ、おはよう、ずいぶん早いね\n\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},  // Good morning, you're up early. ...
    {GreetingMorningLine, "MakeGreeting, 7-9 h", "やあ、おはよう\n\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},  // Good morning. ...
    {GreetingDayLine, "MakeGreeting, 10-17 h", "やあ、こんにちは\n\nそれではゲームを始めるとしよう\n\nスタートボタンを押してくれたまえ"},  // Good afternoon. ...
    {ChooseCardsLine, "StartDeal", "それではチェンジしたいカードをクリックしてくれたまえ\n\n決まったら次は\nチェンジボタンだ"},  // Click the cards you want to change, then the Change button.
    {ComputerTurnLine, "RoundComputerTurn tick", "次は私の番だ"},  // My turn next.
    {ComputerKeepsAllLine, "RoundComputerDiscard tick", "私は取り替えるカードはないな"},  // I have no cards to change.
    {ComputerExchangesLine, "RoundComputerDiscard tick", "私は %d 枚替えよう"},  // I'll change %d cards.
    {PlayerBetAskLine, "RoundBetting tick, the player deals", "それでは君は何ドル賭けるかな"},  // So, how many dollars will you bet?
    {ComputerBetsBigLine, "RoundBetting tick, a bet of 5 or more", "おっ、なかなかいい手ができたぞ\n\n %d ドル賭けよう\n\nぜひ挑戦してくれたまえ"},  // Oh, quite a good hand. I bet %d dollars. Do take me on.
    {ComputerBetsLine, "RoundBetting tick, the player has 2 or more", "それでは私は\n%d ドル賭けよう\n\n今おりれば\n私に １ ドル払うだけで済むぞ"},  // I bet %d dollars. Fold now and it costs you only 1 dollar.
    {ComputerBetsLastDollarLine, "RoundBetting tick, the player has 1", "それでは私は\n1 ドル賭けよう\n\nあとがなくなったようだな"},  // I bet 1 dollar. You seem to have nothing left to lose.
    {BetTooLargeLine, "ConfirmBet, a bet over either side's money", "賭け数が大きすぎるようだな"},  // That bet seems too large.
    {ComputerFoldsLine, "ConfirmBet, the computer folds", "うーん… 私は下りるとしよう"},  // Hmm... I'll fold.
    {ComputerFoldsToBigBetLine, "ConfirmBet, folding to 5 or more", "なかなか強気だな\n\n残念だが私は下りるとしよう"},  // Bold of you. Sadly, I fold.
    {ComputerCallsLine, "ConfirmBet, the bet is called", "よし、それなら勝負だ"},  // Right, then let's see them.
    {ComputerCallsBigBetLine, "ConfirmBet, calling 5 or more", "なかなか強気だな\n\nだが、ここは勝負と行こう"},  // Bold of you. But this time I'll call.
    {PlayerFoldsFifthTimeLine, "FoldHand, the fifth fold in a row", "どうしたんだい、ずいぶん弱気じゃないか"},  // What's the matter? You're awfully timid.
    {PlayerFoldsToBigBetLine, "FoldHand, against 5 or more", "う～ん、今のは\n勝負して欲しかったよ"},  // Hmm, I wish you had called that one.
    {PlayerFoldsLastDollarLine, "FoldHand, the player's last dollar", "残念な選択だな"},  // A pity of a choice.
    {PlayerFoldsLine, "FoldHand", "賢明な選択だな"},  // A wise choice.
    {ComputerWinsMatchAsDealerLine, "showdown, the computer deals and reaches 40", "私の勝ちだ"},  // I win.
    {ComputerKeepsDealLine, "showdown, the computer deals and wins", "ディーラーはそう簡単には譲れないな"},  // The dealer doesn't give way that easily.
    {PlayerWinsMatchLine, "showdown, the computer deals, the player reaches 40", "君の勝ちだ"},  // You win.
    {PlayerGoodHandLine, "showdown, the player wins with a straight to a full house", "なかなかいい手じゃないか\n\nさあ、次は君がディーラーだ"},  // Quite a good hand. Now you deal.
    {PlayerGreatHandLine, "showdown, the player wins with four of a kind or better", "おう、素晴らしい手ができたな\n\nさあ、次は君がディーラーだ"},  // Oh, a splendid hand. Now you deal.
    {PlayerTakesDealLine, "showdown, the player wins", "次は、君が\nディーラーだ"},  // Next, you deal.
    {ComputerDeniesPeekingLine, "showdown, the player deals, the computer reaches 36 (one in ten)", "断って置くが、私は君のカードを盗み見なんてしてない\n君のゲームをじっくり観察しているだけだ"},  // Let me say I'm not peeking at your cards; I just watch how you play.
    {ComputerWinsMatchLine, "showdown, the player deals, the computer reaches 40", "私が勝ったようだな"},  // It seems I have won.
    {ComputerTakesDealLine, "showdown, the player deals and loses", "今度は私が\nディーラーだ"},  // Now I deal.
    {PlayerWinsAsDealerLine, "showdown, the player deals and wins", "君の勝ちだ\n\nなかなかやるな"},  // You win. Not bad at all.
    {PressStartLine, "RoundSettled tick", "さあ、スタートボタンを押してくれたまえ"},  // Now press the Start button.
    {ComputerMatchOverLine, "RoundSettled tick, the computer holds 40", "君には残念だが、私の勝利だ\n\nもう一度私に挑戦したいならスタートボタンを押してくれたまえ"},  // Too bad for you: I win. Press Start to challenge me again.
    {PlayerMatchOverLine, "RoundSettled tick, the player holds 40", "おめでとう\n君の勝利だ\n\nもう一度プレーしたいならスタートボタンを押してくれたまえ"},  // Congratulations, you win. Press Start to play again.
};
// clang-format on

constexpr bool RowsInLineOrder() {
    for (int k = 0; k < DialogueLineCount; ++k) {
        if (Dialogue[k].line != k) return false;
    }
    return true;
}

static_assert(sizeof Dialogue / sizeof Dialogue[0] == DialogueLineCount, "a row for every line");
static_assert(RowsInLineOrder(), "rows in the order of DialogueLine");

}  // namespace

const char* DialogueText(DialogueLine line) { return Dialogue[line].text; }
