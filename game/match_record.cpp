// The record of the current match and its words.
#include "game/match_record.h"

#include "game/table_words.h"

namespace {

// The deal the controller is playing, or none.
DealRecord* Current(MatchRecord& record) {
    if (record.deals.empty() || record.deals.back().settled) return nullptr;
    return &record.deals.back();
}

const char* SideWords(bool player) { return player ? "あなた" : "コンピューター"; }

std::string Dollars(int amount) { return std::to_string(amount) + "ドル"; }

std::string ChangedWords(int changed) {
    return changed == 0 ? std::string("なし") : std::to_string(changed) + "枚";
}

std::string HandWords(const ShownHand& hand) {
    std::string words;
    for (Card card : hand.cards) {
        if (!words.empty()) words += ' ';
        words += CardWords(card);
    }
    const char* name = HandCategoryName(hand.category);
    return words + "（" + WithoutSpacing(name ? name : "") + "）";
}

void AddLine(std::string& text, const std::string& line) { text += line + "\r\n"; }

void AddDeal(std::string& text, const DealRecord& deal) {
    const char* dealer = SideWords(deal.playerDealt);
    const char* other = SideWords(!deal.playerDealt);
    AddLine(text, "第" + std::to_string(deal.number) + "ディール　ディーラー：" + dealer);
    if (deal.playerChanged >= 0) AddLine(text, "あなたの交換：" + ChangedWords(deal.playerChanged));
    if (deal.computerChanged >= 0)
        AddLine(text, "コンピューターの交換：" + ChangedWords(deal.computerChanged));
    if (deal.bet > 0) AddLine(text, std::string(dealer) + "の賭け：" + Dollars(deal.bet));
    if (deal.answer == CallAnswer)
        AddLine(text, std::string(other) + "の応答：勝負（" + Dollars(deal.bet) + "）");
    if (deal.answer == FoldAnswer)
        AddLine(text, std::string(other) + "の応答：おりる（" + Dollars(1) + "支払い）");
    if (deal.playerHand.shown) AddLine(text, "あなたの手札：" + HandWords(deal.playerHand));
    if (deal.computerHand.shown)
        AddLine(text, "コンピューターの手札：" + HandWords(deal.computerHand));
    if (deal.winner != NoWinnerYet)
        AddLine(text, std::string("勝者：") + SideWords(deal.winner == PlayerWon));
    if (deal.settled) {
        AddLine(text, "所持金：コンピューター " + Dollars(deal.computerMoney) + "、あなた " +
                          Dollars(deal.playerMoney));
    }
}

}  // namespace

void RecordDealStart(MatchRecord& record, bool newMatch, bool playerDeals, int playerMoney) {
    if (newMatch) record.deals.clear();
    DealRecord deal;
    deal.number = static_cast<int>(record.deals.size()) + 1;
    deal.playerDealt = playerDeals;
    deal.playerMoneyBefore = playerMoney;
    record.deals.push_back(deal);
}

void RecordPlayerDraw(MatchRecord& record, int changed, const Hand& hand, HandCategory category) {
    DealRecord* deal = Current(record);
    if (!deal) return;
    deal->playerChanged = changed;
    deal->playerHand = {true, hand, category};
}

void RecordComputerChange(MatchRecord& record, int changed) {
    if (DealRecord* deal = Current(record)) deal->computerChanged = changed;
}

void RecordBet(MatchRecord& record, int bet) {
    if (DealRecord* deal = Current(record)) deal->bet = bet;
}

void RecordCall(MatchRecord& record) {
    if (DealRecord* deal = Current(record)) deal->answer = CallAnswer;
}

void RecordFold(MatchRecord& record) {
    DealRecord* deal = Current(record);
    if (!deal) return;
    deal->answer = FoldAnswer;
    deal->winner = deal->playerDealt ? PlayerWon : ComputerWon;
}

void RecordShowdown(MatchRecord& record, const Hand& computerHand, HandCategory category,
                    int playerMoney) {
    DealRecord* deal = Current(record);
    if (!deal) return;
    deal->computerHand = {true, computerHand, category};
    deal->winner = playerMoney > deal->playerMoneyBefore ? PlayerWon : ComputerWon;
}

void RecordDealClosed(MatchRecord& record, int playerMoney, int computerMoney) {
    DealRecord* deal = Current(record);
    if (!deal || deal->winner == NoWinnerYet) return;
    deal->settled = true;
    deal->playerMoney = playerMoney;
    deal->computerMoney = computerMoney;
}

std::string MatchRecordWords(const MatchRecord& record) {
    if (record.deals.empty()) return "このマッチのディールはまだありません\r\n";
    std::string text;
    for (const DealRecord& deal : record.deals) {
        if (!text.empty()) text += "\r\n";
        AddDeal(text, deal);
    }
    return text;
}
