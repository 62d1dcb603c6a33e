// What the page's build needs of the program, written for web/make_page.py
// when the page is built: the version and the home page address
// (res/version.h), and every text the core can show (the record of a match
// too), so that the page's font holds each of their characters. Run under Node:
//   node bluffwick-page-facts.js OUT.json
#include <cstdio>
#include <string>
#include <vector>

#include "cards/hand_eval.h"
#include "game/dialogue.h"
#include "game/match_record.h"
#include "game/table_words.h"
#include "res/version.h"
#include "web/json_writer.h"

namespace {

// A table with every kind of slot, a marked face and both hand names: its
// description holds every word the table in words can use.
ShownTable EveryKindOfSlot() {
    ShownTable shown = OpeningTable();
    shown.slots[0] = SlotShowsEmpty;
    for (int slot = FirstPlayerSlot; slot < SlotCount; ++slot) {
        shown.slots[slot] = SlotShowsFace;
        shown.cards[slot] = slot;
        shown.faceMarked[slot] = true;
    }
    for (int side = 0; side < SideCount; ++side) {
        shown.nameShown[side] = true;
        shown.names[side] = HandCategoryName(side);
    }
    return shown;
}

// A deal of each ending: the player's, folded to; the computer's, called
// and shown down; and the empty record. Their words hold every word of a record.
std::vector<std::string> EveryKindOfRecord() {
    MatchRecord record;
    const Hand hand{0, 13, 28, 42, 51};  // two aces
    RecordDealStart(record, true, true, 20);
    RecordPlayerDraw(record, 0, hand, OnePair);
    RecordComputerChange(record, 2);
    RecordBet(record, 3);
    RecordFold(record);
    RecordDealClosed(record, 21, 19);
    RecordDealStart(record, false, false, 21);
    RecordPlayerDraw(record, 3, hand, OnePair);
    RecordComputerChange(record, 0);
    RecordBet(record, 4);
    RecordCall(record);
    RecordShowdown(record, hand, OnePair, 17);
    RecordDealClosed(record, 17, 23);
    return {MatchRecordWords(MatchRecord{}), MatchRecordWords(record)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bluffwick-page-facts OUT.json\n");
        return 2;
    }
    JsonWriter json;
    json.BeginObject();
    json.WriteKey("version").WriteString(BLUFFWICK_VERSION_TEXT);
    json.WriteKey("homePage").WriteString(BLUFFWICK_HOME_PAGE);
    // Shift-JIS, as the core keeps them.
    json.WriteKey("texts").BeginArray();
    for (int line = 0; line < DialogueLineCount; ++line) {
        json.WriteBytes(DialogueText(static_cast<DialogueLine>(line)));
    }
    for (int category = 0; category < HandCategoryCount; ++category) {
        json.WriteBytes(HandCategoryName(category));
    }
    for (Card card = 0; card < DeckSize; ++card) json.WriteBytes(CardWords(card));
    json.WriteBytes(DescribeTable(EveryKindOfSlot()));
    for (const std::string& words : EveryKindOfRecord()) json.WriteBytes(words);
    json.EndArray();
    json.EndObject();

    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    const std::string& text = json.Text();
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written) {
        std::perror(argv[1]);
        return 1;
    }
    return 0;
}
