// What the page asks the core instead of retyping it: where everything sits on
// the table, which picture is which, and the picture of the table as it shows
// now. Both go over as JSON; texts as their Shift-JIS bytes, which the page decodes.
#include <emscripten.h>

#include <string>

#include "cards/hand_eval.h"
#include "game/match_state.h"
#include "game/saved_game.h"
#include "game/shown_table.h"
#include "game/table_words.h"
#include "res/resource.h"

namespace {

std::string gJson;  // the last answer, kept until the next question

std::string Number(int value) { return std::to_string(value); }

std::string Rect(const TableRect& rect) {
    return "[" + Number(rect.left) + "," + Number(rect.top) + "," + Number(rect.right) + "," +
           Number(rect.bottom) + "]";
}

std::string Bytes(const std::string& text) {
    std::string json = "[";
    for (char c : text) {
        if (json.size() > 1) json += ',';
        json += Number(static_cast<unsigned char>(c));
    }
    return json + "]";
}

std::string Colour(int rgb) {
    static const char Hex[] = "0123456789abcdef";
    std::string css = "\"#";
    for (int shift = 20; shift >= 0; shift -= 4) css += Hex[(rgb >> shift) & 0xF];
    return css + "\"";
}

std::string Field(const char* name, const std::string& value) {
    return std::string("\"") + name + "\":" + value;
}

// By picture id: the mouth's name in game records and its height.
std::string Mouths() {
    std::string json = "{";
    for (MouthPicture mouth : {MouthClosed, MouthGrin, MouthOpen}) {
        if (json.size() > 1) json += ',';
        json += Field(Number(mouth).c_str(),
                      "{" + Field("name", std::string("\"") + MouthName(mouth) + "\"") + "," +
                          Field("top", Number(MouthTop(mouth))) + "}");
    }
    return json + "}";
}

std::string ControlRects() {
    std::string json = "{";
    for (int id = StartButton; id < StartButton + ControlCount; ++id) {
        if (id != StartButton) json += ',';
        const auto control = static_cast<TableControl>(id);
        json += Field(ControlName(control), "{" + Field("id", Number(id)) + "," +
                                                Field("rect", Rect(ControlRect(control))) + "}");
    }
    return json + "}";
}

std::string PartRects() {
    std::string json = "[";
    for (int part = 0; part < TablePartCount; ++part) {
        if (part != 0) json += ',';
        json += Rect(PartRect(part));
    }
    return json + "]";
}

std::string SlotRects() {
    std::string json = "[";
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot != 0) json += ',';
        json += Rect({SlotLeft(slot), SlotTop(slot), SlotLeft(slot) + CardWidth,
                      SlotTop(slot) + CardHeight});
    }
    return json + "]";
}

int SlotPicture(const ShownTable& shown, int slot) {
    switch (shown.slots[slot]) {
    case SlotShowsFace: return IDB_CARD_FIRST + shown.cards[slot];
    case SlotShowsEmpty: return IDB_EMPTY_SLOT;
    case SlotShowsBack: break;
    }
    return IDB_CARD_BACK;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* WebTableFacts() {
    gJson =
        "{" +
        Field("visible", "[" + Number(VisibleTableWidth) + "," + Number(VisibleTableHeight) + "]") +
        "," + Field("slots", SlotRects()) + "," + Field("moneyTensLeft", Number(MoneyTensLeft)) +
        "," + Field("moneyOnesLeft", Number(MoneyOnesLeft)) + "," +
        Field("moneyTops", "[" + Number(ComputerMoneyTop) + "," + Number(PlayerMoneyTop) + "]") +
        "," + Field("mouthLeft", Number(MouthLeft)) + "," + Field("mouths", Mouths()) + "," +
        Field("speech", Rect({SpeechLeft, SpeechTop, SpeechRight, SpeechBottom})) + "," +
        Field(
            "strips",
            "[" + Rect({StripLeft, ComputerStripTop, StripRight, ComputerStripTop + StripHeight}) +
                "," + Rect({StripLeft, PlayerStripTop, StripRight, PlayerStripTop + StripHeight}) +
                "]") +
        "," +
        Field("pictures", "{" + Field("table", Number(IDB_TABLE)) + "," +
                              Field("cardFirst", Number(IDB_CARD_FIRST)) + "," +
                              Field("back", Number(IDB_CARD_BACK)) + "," +
                              Field("blankDigit", Number(IDB_BLANK_DIGIT)) + "," +
                              Field("digitFirst", Number(IDB_DIGIT_FIRST)) + "," +
                              Field("empty", Number(IDB_EMPTY_SLOT)) + "}") +
        "," + Field("faceWhiteIndex", Number(FaceWhiteIndex)) + "," +
        Field("markCyanIndex", Number(MarkCyanIndex)) + "," +
        Field("colours", "{" + Field("table", Colour(TableGreen)) + "," +
                             Field("speech", Colour(SpeechWhite)) + "," +
                             Field("speechText", Colour(SpeechBlack)) + "," +
                             Field("strip", Colour(StripGrey)) + "," +
                             Field("handName", Colour(HandNameBlue)) + "}") +
        "," +
        Field("handNameFont", "{" + Field("height", Number(HandNameFontHeight)) + "," +
                                  Field("width", Number(HandNameFontWidth)) + "," +
                                  Field("narrowWidth", Number(HandNameNarrowFontWidth)) + "," +
                                  Field("narrowCategory", Number(RoyalStraightFlush)) + "}") +
        "," + Field("controls", ControlRects()) + "," + Field("parts", PartRects()) + "," +
        Field("roundSelecting", Number(RoundSelecting)) + "," +
        Field("savedGameMostBytes", Number(SavedGameMostBytes)) + "}";
    return gJson.c_str();
}

// The picture as the page draws it: each slot's picture and mark, the
// counters, the mouths from the bottom up, the speech (null for the table
// picture's own bubble) and the hand names (null for an empty strip).
EMSCRIPTEN_KEEPALIVE const char* WebShownTable() {
    const ShownTable& shown = TableShown();
    std::string slots = "[";
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (slot != 0) slots += ',';
        slots += "[" + Number(SlotPicture(shown, slot)) + "," +
                 (SlotMarked(shown, slot) ? "true" : "false") + "]";
    }
    slots += "]";
    std::string mouths = "[";
    for (int k = 0; k < shown.mouthCount; ++k) {
        if (k != 0) mouths += ',';
        mouths += Number(shown.mouths[k]);
    }
    mouths += "]";
    std::string names = "[";
    for (int at = 0; at < 2; ++at) {
        if (at != 0) names += ',';
        names += shown.nameShown[at] ? "{" + Field("category", Number(shown.categories[at])) + "," +
                                           Field("bytes", Bytes(shown.names[at])) + "}"
                                     : "null";
    }
    names += "]";
    gJson =
        "{" + Field("slots", slots) + "," +
        Field("money", "[" + Number(shown.computerMoney) + "," + Number(shown.playerMoney) + "]") +
        "," + Field("mouths", mouths) + "," +
        Field("speech", shown.speechShown ? Bytes(shown.speech) : "null") + "," +
        Field("names", names) + "}";
    return gJson.c_str();
}

}  // extern "C"
