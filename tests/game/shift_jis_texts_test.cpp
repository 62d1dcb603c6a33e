// The core's texts as the build converts them (cmake/shift_jis_literals.py)
// against the same sources compiled with the compiler's own
// -fexec-charset=CP932. This file is built twice: into game_test, on the
// converted core, and as compiler_texts, on the compiler's, which prints every
// text for the test to compare. Two programs, since both define the same names.
#include <cstdio>
#include <string>
#include <vector>

#include "cards/hand_eval.h"
#include "game/dialogue.h"
#include "game/table_words.h"

namespace {

// Every dialogue line, every hand name, every card in words and a table with
// each kind of slot, a marked card and both hand names, part by part and whole.
std::vector<std::string> CoreTexts() {
    std::vector<std::string> texts;
    for (int line = 0; line < DialogueLineCount; ++line) {
        texts.push_back(DialogueText(static_cast<DialogueLine>(line)));
    }
    for (int category = 0; category < HandCategoryCount; ++category) {
        texts.push_back(HandCategoryName(category));
    }
    for (Card card = 0; card < DeckSize; ++card) texts.push_back(CardWords(card));
    ShownTable shown;
    shown.speech = DialogueText(ComputerExchangesLine);
    shown.slots[0] = SlotShowsEmpty;
    for (int slot = 5; slot < 10; ++slot) {
        shown.slots[slot] = SlotShowsFace;
        shown.cards[slot] = (slot - 5) * 11 + 3;  // a card of every suit
    }
    shown.faceMarked[25] = true;
    for (int side = 0; side < 2; ++side) {
        shown.nameShown[side] = true;
        shown.names[side] = HandCategoryName(side + 1);
    }
    for (int part = 0; part < TablePartCount; ++part) {
        texts.push_back(TablePartName(shown, part));
    }
    texts.push_back(DescribeTable(shown));
    return texts;
}

}  // namespace

#ifdef BLUFFWICK_COMPILER_TEXTS
// Each text followed by a NUL, which no Shift-JIS text holds.
int main() {
    for (const std::string& text : CoreTexts())
        std::fwrite(text.c_str(), 1, text.size() + 1, stdout);
    return 0;
}
#else
#include <gtest/gtest.h>

#include "readable_text.h"

TEST(ShiftJisTexts, EveryTextHasTheCompilersBytes) {
    std::vector<std::string> compiled(1);
    FILE* run = popen("'" BLUFFWICK_COMPILER_TEXTS_PATH "'", "r");
    ASSERT_NE(run, nullptr);
    for (int c; (c = std::fgetc(run)) != EOF;) {
        if (c == '\0') {
            compiled.emplace_back();
        } else {
            compiled.back() += static_cast<char>(c);
        }
    }
    ASSERT_EQ(pclose(run), 0);
    compiled.pop_back();  // what follows the last NUL

    const std::vector<std::string> converted = CoreTexts();
    ASSERT_EQ(compiled.size(), converted.size());
    for (std::size_t k = 0; k < converted.size(); ++k) {
        EXPECT_EQ(converted[k], compiled[k])
            << "text " << k << ": " << ReadableText(compiled[k].c_str());
    }
}
#endif
