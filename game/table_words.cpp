// The table in words: what each part of the table shows, said as a player
// would say it.
#include "game/table_words.h"

namespace {

const char* const SuitWords[4] = {"スペード", "ハート", "クラブ", "ダイヤ"};
const char* const RankWords[13] = {"A", "2", "3",  "4", "5", "6", "7",
                                   "8", "9", "10", "J", "Q", "K"};

const char* SideWords(TableSide side) { return side == ComputerSide ? "コンピューター" : "あなた"; }

std::string HandWords(const ShownTable& shown, int firstSlot) {
    std::string words;
    for (int slot = firstSlot; slot < firstSlot + 5; ++slot) {
        if (slot != firstSlot) words += ' ';
        words += SlotWords(shown, slot);
    }
    return words;
}

}  // namespace

std::string CardWords(Card card) {
    if (card < 0 || card >= DeckSize) return "?";
    return std::string(SuitWords[card / 13]) + "の" + RankWords[card % 13];
}

std::string SlotWords(const ShownTable& shown, int slot) {
    switch (shown.slots[slot]) {
    case SlotShowsFace: {
        std::string words = CardWords(shown.cards[slot]);
        if (SlotMarked(shown, slot)) words += "（選択中）";
        return words;
    }
    case SlotShowsEmpty: return "空き";
    case SlotShowsBack: break;
    }
    return "裏";
}

std::string MoneyWords(const ShownTable& shown, TableSide side) {
    const int amount = side == ComputerSide ? shown.computerMoney : shown.playerMoney;
    return std::string(SideWords(side)) + " " + std::to_string(amount) + "ドル";
}

std::string BareHandName(const ShownTable& shown, TableSide side) {
    if (!shown.nameShown[side]) return "";
    return WithoutSpacing(shown.names[side]);
}

std::string WithoutSpacing(const std::string& name) {
    std::string bare;
    for (char c : name) {
        if (c != ' ') bare += c;
    }
    return bare;
}

std::string HandNameWords(const ShownTable& shown, TableSide side) {
    std::string words = std::string(SideWords(side)) + "の役";
    const std::string bare = BareHandName(shown, side);
    if (!bare.empty()) words += "：" + bare;
    return words;
}

std::string SpeechWords(const ShownTable& shown) {
    std::string words;
    for (char c : shown.speech) {
        if (c != '\n') words += c;
    }
    return words;
}

std::string TablePartName(const ShownTable& shown, int part) {
    if (part == SpeechPart) return SpeechWords(shown);
    if (part >= FirstComputerSlotPart && part < ComputerHandNamePart) {
        return SlotWords(shown, part - FirstComputerSlotPart);
    }
    switch (part) {
    case ComputerHandNamePart: return HandNameWords(shown, ComputerSide);
    case PlayerHandNamePart: return HandNameWords(shown, PlayerSide);
    case ComputerMoneyPart: return MoneyWords(shown, ComputerSide);
    case PlayerMoneyPart: return MoneyWords(shown, PlayerSide);
    default: return "";
    }
}

std::string DescribeTable(const ShownTable& shown) {
    std::string text;
    for (char c : shown.speech) {
        if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    text += "\r\n\r\n";
    text += std::string(SideWords(ComputerSide)) + "の手札：" + HandWords(shown, 0) + "\r\n";
    text += std::string(SideWords(PlayerSide)) + "の手札：" + HandWords(shown, FirstPlayerSlot) +
            "\r\n";
    text += HandNameWords(shown, ComputerSide) + "\r\n";
    text += HandNameWords(shown, PlayerSide) + "\r\n";
    text += MoneyWords(shown, ComputerSide) + "\r\n";
    text += MoneyWords(shown, PlayerSide) + "\r\n";
    return text;
}
