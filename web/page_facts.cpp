// What the page's build needs of the program, written for web/make_page.py
// when the page is built: the version and the home page address
// (res/version.h), and every text the core can show, so that the page's font
// holds each of their characters. Run under Node:
//   node bluffwick-page-facts.js OUT.json
#include <cstdio>

#include "cards/hand_eval.h"
#include "game/dialogue.h"
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
