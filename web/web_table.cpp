// The browser's provider of the game's table operations: each is handed to
// the page's script (Module.table), which draws the table the game keeps on
// its canvas and sets the page's controls.
#include "web/web_table.h"

#include <emscripten.h>

#include <cstring>

// The page's side of every operation. Texts go over as their Shift-JIS bytes;
// the page decodes them.
EM_JS(void, PageShowSpeech, (const char* text, int length),
      { Module.table.showSpeech(HEAPU8.slice(text, text + length)); });
EM_JS(void, PageClearSpeech, (), { Module.table.clearSpeech(); });
EM_JS(void, PageDrawMouth, (int mouth), { Module.table.drawMouth(mouth); });
EM_JS(void, PageDrawCardFace, (int slot, int card), { Module.table.drawCardFace(slot, card); });
EM_JS(void, PageDrawCardBack, (int slot), { Module.table.drawCardBack(slot); });
EM_JS(void, PageDrawEmptySlot, (int slot), { Module.table.drawEmptySlot(slot); });
EM_JS(void, PageDrawMoney, (int computerMoney, int playerMoney),
      { Module.table.drawMoney(computerMoney, playerMoney); });
EM_JS(void, PageShowHandName, (int side, int category, const char* name, int length),
      { Module.table.showHandName(side, category, HEAPU8.slice(name, name + length)); });
EM_JS(void, PageMarkCard, (int slot, int card, int marked),
      { Module.table.markCard(slot, card, marked != 0); });
EM_JS(void, PageClearCardMark, (int card), { Module.table.clearCardMark(card); });
EM_JS(void, PageClearHandNames, (), { Module.table.clearHandNames(); });
EM_JS(void, PageRequestRepaint, (), { Module.table.requestRepaint(); });
EM_JS(void, PageEnableControl, (int control, int enabled),
      { Module.table.enableControl(control, enabled != 0); });
EM_JS(void, PageArmRoundTimer, (int milliseconds), { Module.table.armRoundTimer(milliseconds); });
EM_JS(void, PageStopRoundTimer, (), { Module.table.stopRoundTimer(); });
// The bet box holds digits only; the page answers with its text as a string.
EM_JS(void, PageReadBetBoxText, (char* text, int size), {
    const box = String(Module.table.readBetBoxText());
    let n = 0;
    for (; n < box.length && n < size - 1; ++n) HEAPU8[text + n] = box.charCodeAt(n) & 0xff;
    HEAPU8[text + n] = 0;
});
EM_JS(void, PageWriteBetBoxText, (const char* text, int length),
      { Module.table.writeBetBoxText(HEAPU8.slice(text, text + length)); });

namespace {

int Length(const char* text) { return static_cast<int>(std::strlen(text)); }

void OpShowSpeech(void*, const char* text) { PageShowSpeech(text, Length(text)); }

void OpClearSpeech(void*) { PageClearSpeech(); }

void OpDrawMouth(void*, MouthPicture mouth) { PageDrawMouth(mouth); }

void OpDrawCardFace(void*, int slot, Card card) { PageDrawCardFace(slot, card); }

void OpDrawCardBack(void*, int slot) { PageDrawCardBack(slot); }

void OpDrawEmptySlot(void*, int slot) { PageDrawEmptySlot(slot); }

void OpDrawMoney(void*, int computerMoney, int playerMoney) {
    PageDrawMoney(computerMoney, playerMoney);
}

void OpShowHandName(void*, TableSide side, HandCategory category, const char* name) {
    PageShowHandName(side, category, name, Length(name));
}

void OpMarkCard(void*, int slot, Card card, bool marked) {
    PageMarkCard(slot, card, marked ? 1 : 0);
}

void OpClearCardMark(void*, Card card) { PageClearCardMark(card); }

void OpClearHandNames(void*) { PageClearHandNames(); }

void OpRequestRepaint(void*) { PageRequestRepaint(); }

void OpEnableControl(void*, TableControl control, bool enabled) {
    PageEnableControl(control, enabled ? 1 : 0);
}

void OpArmRoundTimer(void*, int milliseconds) { PageArmRoundTimer(milliseconds); }

void OpStopRoundTimer(void*) { PageStopRoundTimer(); }

void OpReadBetBoxText(void*, char* text, int size) {
    if (size <= 0) return;
    PageReadBetBoxText(text, size);
}

void OpWriteBetBoxText(void*, const char* text) { PageWriteBetBoxText(text, Length(text)); }

constexpr TableOps PageOps = {
    .showSpeech = OpShowSpeech,
    .clearSpeech = OpClearSpeech,
    .drawMouth = OpDrawMouth,
    .drawCardFace = OpDrawCardFace,
    .drawCardBack = OpDrawCardBack,
    .drawEmptySlot = OpDrawEmptySlot,
    .drawMoney = OpDrawMoney,
    .showHandName = OpShowHandName,
    .markCard = OpMarkCard,
    .clearCardMark = OpClearCardMark,
    .clearHandNames = OpClearHandNames,
    .requestRepaint = OpRequestRepaint,
    .enableControl = OpEnableControl,
    .armRoundTimer = OpArmRoundTimer,
    .stopRoundTimer = OpStopRoundTimer,
    .readBetBoxText = OpReadBetBoxText,
    .writeBetBoxText = OpWriteBetBoxText,
};

}  // namespace

const TableOps& PageTableOps() { return PageOps; }
