// What the page asks the core instead of retyping it: where everything sits on
// the table, which picture is which, and the picture of the table as it shows
// now. Both go over as JSON; texts as their Shift-JIS bytes, which the page decodes.
#include <emscripten.h>

#include <string>

#include "cards/hand_eval.h"
#include "game/saved_game.h"
#include "game/shown_table.h"
#include "res/resource.h"
#include "web/json_writer.h"

namespace {

std::string gJson;  // the last answer, kept until the next question

void WriteSlotRects(JsonWriter& json) {
    json.WriteKey("slots").BeginArray();
    for (int slot = 0; slot < SlotCount; ++slot) json.WriteRect(SlotRect(slot));
    json.EndArray();
}

void WriteMoneyTops(JsonWriter& json) {
    json.WriteKey("moneyTops").BeginArray();
    for (TableSide side : {ComputerSide, PlayerSide}) json.WriteNumber(MoneyTop(side));
    json.EndArray();
}

// By picture id: the mouth's name in game records and its height.
void WriteMouths(JsonWriter& json) {
    json.WriteKey("mouths").BeginObject();
    for (MouthPicture mouth : {MouthClosed, MouthGrin, MouthOpen}) {
        json.WriteKey(std::to_string(mouth).c_str()).BeginObject();
        json.WriteKey("name").WriteString(MouthName(mouth));
        json.WriteKey("top").WriteNumber(MouthTop(mouth));
        json.EndObject();
    }
    json.EndObject();
}

void WriteStripRects(JsonWriter& json) {
    json.WriteKey("strips").BeginArray();
    for (TableSide side : {ComputerSide, PlayerSide}) json.WriteRect(StripRect(side));
    json.EndArray();
}

void WritePictureIds(JsonWriter& json) {
    json.WriteKey("pictures").BeginObject();
    json.WriteKey("table").WriteNumber(IDB_TABLE);
    json.WriteKey("cardFirst").WriteNumber(IDB_CARD_FIRST);
    json.WriteKey("back").WriteNumber(IDB_CARD_BACK);
    json.WriteKey("blankDigit").WriteNumber(IDB_BLANK_DIGIT);
    json.WriteKey("digitFirst").WriteNumber(IDB_DIGIT_FIRST);
    json.WriteKey("empty").WriteNumber(IDB_EMPTY_SLOT);
    json.EndObject();
}

void WriteColours(JsonWriter& json) {
    json.WriteKey("colours").BeginObject();
    json.WriteKey("table").WriteColour(TableGreen);
    json.WriteKey("speech").WriteColour(SpeechWhite);
    json.WriteKey("speechText").WriteColour(SpeechBlack);
    json.WriteKey("strip").WriteColour(StripGrey);
    json.WriteKey("handName").WriteColour(HandNameBlue);
    json.EndObject();
}

void WriteHandNameFont(JsonWriter& json) {
    json.WriteKey("handNameFont").BeginObject();
    json.WriteKey("height").WriteNumber(HandNameFontHeight);
    json.WriteKey("width").WriteNumber(HandNameFontWidth);
    json.WriteKey("narrowWidth").WriteNumber(HandNameNarrowFontWidth);
    json.WriteKey("narrowCategory").WriteNumber(RoyalStraightFlush);
    json.EndObject();
}

// By the control's name: its id and where it sits.
void WriteControls(JsonWriter& json) {
    json.WriteKey("controls").BeginObject();
    for (int id = StartButton; id < StartButton + ControlCount; ++id) {
        const auto control = static_cast<TableControl>(id);
        json.WriteKey(ControlName(control)).BeginObject();
        json.WriteKey("id").WriteNumber(id);
        json.WriteKey("rect").WriteRect(ControlRect(control));
        json.EndObject();
    }
    json.EndObject();
}

void WritePartRects(JsonWriter& json) {
    json.WriteKey("parts").BeginArray();
    for (int part = 0; part < TablePartCount; ++part) json.WriteRect(PartRect(part));
    json.EndArray();
}

// The picture's drawing round the places, for the pieces of web/arrange.js.
void WriteArtwork(JsonWriter& json) {
    json.WriteKey("artwork").BeginObject();
    json.WriteKey("bubble").WriteRect(BubblePiece);
    json.WriteKey("talk").WriteRect(TalkPiece);
    json.WriteKey("controlCorner").WriteRect(ControlCorner);
    json.WriteKey("bands").BeginArray();
    for (TableSide side : {ComputerSide, PlayerSide}) json.WriteRect(BandRect(side));
    json.EndArray();
    json.WriteKey("cardMargin").WriteNumber(CardRowMargin);
    json.EndObject();
}

int SlotPicture(const ShownTable& shown, int slot) {
    switch (shown.slots[slot]) {
    case SlotShowsFace: return IDB_CARD_FIRST + shown.cards[slot];
    case SlotShowsEmpty: return IDB_EMPTY_SLOT;
    case SlotShowsBack: break;
    }
    return IDB_CARD_BACK;
}

const char* Answer(const JsonWriter& json) {
    gJson = json.Text();
    return gJson.c_str();
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* WebTableFacts() {
    JsonWriter json;
    json.BeginObject();
    json.WriteKey("visible").BeginArray();
    json.WriteNumber(VisibleTableWidth);
    json.WriteNumber(VisibleTableHeight);
    json.EndArray();
    WriteSlotRects(json);
    json.WriteKey("moneyTensLeft").WriteNumber(MoneyTensLeft);
    json.WriteKey("moneyOnesLeft").WriteNumber(MoneyOnesLeft);
    WriteMoneyTops(json);
    json.WriteKey("mouthLeft").WriteNumber(MouthLeft);
    json.WriteKey("mouthSize").BeginArray();
    json.WriteNumber(MouthWidth);
    json.WriteNumber(MouthHeight);
    json.EndArray();
    WriteMouths(json);
    json.WriteKey("speech").WriteRect(SpeechRect);
    WriteStripRects(json);
    WritePictureIds(json);
    json.WriteKey("faceWhiteIndex").WriteNumber(FaceWhiteIndex);
    json.WriteKey("markCyanIndex").WriteNumber(MarkCyanIndex);
    WriteColours(json);
    WriteHandNameFont(json);
    WriteControls(json);
    WritePartRects(json);
    WriteArtwork(json);
    json.WriteKey("savedGameMostBytes").WriteNumber(SavedGameMostBytes);
    json.EndObject();
    return Answer(json);
}

// The picture as the page draws it: each slot's picture and mark, the
// counters, the mouths from the bottom up, the speech (null for the table
// picture's own bubble) and the hand names (null for an empty strip).
EMSCRIPTEN_KEEPALIVE const char* WebShownTable() {
    const ShownTable& shown = TableShown();
    JsonWriter json;
    json.BeginObject();
    json.WriteKey("slots").BeginArray();
    for (int slot = 0; slot < SlotCount; ++slot) {
        json.BeginArray();
        json.WriteNumber(SlotPicture(shown, slot));
        json.WriteBool(SlotMarked(shown, slot));
        json.EndArray();
    }
    json.EndArray();
    json.WriteKey("money").BeginArray();
    json.WriteNumber(shown.computerMoney);
    json.WriteNumber(shown.playerMoney);
    json.EndArray();
    json.WriteKey("mouths").BeginArray();
    for (int k = 0; k < shown.mouthCount; ++k) json.WriteNumber(shown.mouths[k]);
    json.EndArray();
    json.WriteKey("speech");
    if (shown.speechShown) {
        json.WriteBytes(shown.speech);
    } else {
        json.WriteNull();
    }
    json.WriteKey("names").BeginArray();
    for (int side = 0; side < SideCount; ++side) {
        if (!shown.nameShown[side]) {
            json.WriteNull();
            continue;
        }
        json.BeginObject();
        json.WriteKey("category").WriteNumber(shown.categories[side]);
        json.WriteKey("bytes").WriteBytes(shown.names[side]);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    return Answer(json);
}

}  // extern "C"
