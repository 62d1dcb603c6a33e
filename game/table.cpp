// Forwards the controller's table operations to the installed provider, and
// keeps the one picture of what the table shows as they pass.
#include "game/table.h"

#include <cstdarg>
#include <cstdio>

#include "game/shown_table.h"

namespace {

const TableOps* gOps = nullptr;
void* gContext = nullptr;
ShownTable gShown = OpeningTable();
TableControls gControls;
bool gRecording = false;
std::vector<std::string> gRecord;

bool ValidSlot(int slot) { return slot >= 0 && slot < SlotCount; }

void ShowInSlot(int slot, SlotShown what, Card card) {
    if (!ValidSlot(slot)) return;
    gShown.slots[slot] = what;
    gShown.cards[slot] = card;
}

void MarkFace(Card card, bool marked) {
    if (card >= 0 && card < DeckSize) gShown.faceMarked[card] = marked;
}

bool DrawsItself(const TableOps& ops) {
    return ops.showSpeech || ops.clearSpeech || ops.drawMouth || ops.drawCardFace ||
           ops.drawCardBack || ops.drawEmptySlot || ops.drawMoney || ops.showHandName ||
           ops.markCard || ops.clearCardMark || ops.clearHandNames || ops.requestRepaint;
}

bool DrawsWhole(const TableOps& ops) {
    return ops.showSpeech && ops.clearSpeech && ops.drawMouth && ops.drawCardFace &&
           ops.drawCardBack && ops.drawEmptySlot && ops.drawMoney && ops.showHandName &&
           ops.markCard && ops.clearCardMark && ops.clearHandNames && ops.requestRepaint;
}

bool RunsControls(const TableOps& ops) {
    return ops.enableControl || ops.armRoundTimer || ops.stopRoundTimer || ops.writeBetBoxText;
}

bool RunsControlsWhole(const TableOps& ops) {
    return ops.enableControl && ops.armRoundTimer && ops.stopRoundTimer && ops.writeBetBoxText;
}

bool IsComplete(const TableOps& ops) {
    if (DrawsItself(ops) && !DrawsWhole(ops)) return false;
    if (RunsControls(ops) && !RunsControlsWhole(ops)) return false;
    return DrawsItself(ops) || RunsControls(ops) || ops.changed;
}

void Notify(unsigned what) {
    if (gOps && gOps->changed) gOps->changed(gContext, what);
}

// Where a provider leaves a group empty, it draws from the core's state.
const TableOps* Drawer() { return gOps && gOps->requestRepaint ? gOps : nullptr; }
const TableOps* ControlRunner() { return gOps && gOps->enableControl ? gOps : nullptr; }

// One formatted line; callers test gRecording first, so a run without a
// record formats nothing. printf-style keeps the page's WebAssembly small.
void Record(const char* format, ...) {
    char line[300];
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    gRecord.emplace_back(line);
}

// Line breaks as a backslash and n, so that a line stays one line.
std::string RecordText(const char* text) {
    std::string line;
    for (; *text; ++text) {
        if (*text == '\n') {
            line += "\\n";
        } else {
            line += *text;
        }
    }
    return line;
}

struct CardName {
    char text[8];
};
CardName RecordCard(Card card) {
    CardName name;
    if (card < 0 || card >= DeckSize) {
        std::snprintf(name.text, sizeof name.text, "?%d", card);
    } else {
        std::snprintf(name.text, sizeof name.text, "%c%c", "A23456789TJQK"[card % 13],
                      "SHCD"[card / 13]);
    }
    return name;
}

}  // namespace

bool InstallTable(const TableOps* ops, void* context) {
    if (ops != nullptr && !IsComplete(*ops)) return false;
    gOps = ops;
    gContext = ops != nullptr ? context : nullptr;
    gShown = OpeningTable();
    gControls = TableControls{};
    return true;
}

const ShownTable& TableShown() { return gShown; }

const TableControls& TableControlsShown() { return gControls; }

bool ControlEnabled(const TableControls& controls, TableControl control) {
    const int index = control - StartButton;
    return index >= 0 && index < ControlCount && controls.enabled[index];
}

void RestoreTable(const ShownTable& shown, const TableControls& controls) {
    gShown = shown;
    gControls = controls;
    Notify(PictureChanged | SpeechChanged | ControlsChanged | TimerChanged);
}

void StartTableRecord() {
    gRecording = true;
    gRecord.clear();
}

void StopTableRecord() {
    gRecording = false;
    gRecord.clear();
}

std::vector<std::string> TakeTableRecord() {
    std::vector<std::string> lines;
    lines.swap(gRecord);
    return lines;
}

void AddTableRecordLine(const std::string& line) {
    if (gRecording) gRecord.push_back(line);
}

// The core keeps the picture and the controls whether or not a provider is
// installed, so the controller can run before a table exists.

void ShowSpeech(const char* text) {
    gShown.speechShown = true;
    gShown.speech = text;
    if (gRecording) Record("ShowSpeech(%s)", RecordText(text).c_str());
    if (const TableOps* ops = Drawer()) ops->showSpeech(gContext, text);
    Notify(SpeechChanged);
}

void ClearSpeech() {
    gShown.speechShown = true;
    gShown.speech.clear();
    if (gRecording) Record("ClearSpeech()");
    if (const TableOps* ops = Drawer()) ops->clearSpeech(gContext);
}

void DrawMouth(MouthPicture mouth) {
    int kept = 0;
    for (int k = 0; k < gShown.mouthCount; ++k) {
        if (gShown.mouths[k] != mouth) gShown.mouths[kept++] = gShown.mouths[k];
    }
    gShown.mouths[kept++] = mouth;
    gShown.mouthCount = kept;
    if (gRecording) Record("DrawMouth(%s)", MouthName(mouth));
    if (const TableOps* ops = Drawer()) ops->drawMouth(gContext, mouth);
}

void DrawCardFace(int slot, Card card) {
    ShowInSlot(slot, SlotShowsFace, card);
    if (gRecording) Record("DrawCardFace(%d, %s)", slot, RecordCard(card).text);
    if (const TableOps* ops = Drawer()) ops->drawCardFace(gContext, slot, card);
}

void DrawCardBack(int slot) {
    ShowInSlot(slot, SlotShowsBack, 0);
    if (gRecording) Record("DrawCardBack(%d)", slot);
    if (const TableOps* ops = Drawer()) ops->drawCardBack(gContext, slot);
}

void DrawEmptySlot(int slot) {
    ShowInSlot(slot, SlotShowsEmpty, 0);
    if (gRecording) Record("DrawEmptySlot(%d)", slot);
    if (const TableOps* ops = Drawer()) ops->drawEmptySlot(gContext, slot);
}

void DrawMoney(int computerMoney, int playerMoney) {
    gShown.computerMoney = computerMoney;
    gShown.playerMoney = playerMoney;
    if (gRecording) Record("DrawMoney(%d, %d)", computerMoney, playerMoney);
    if (const TableOps* ops = Drawer()) ops->drawMoney(gContext, computerMoney, playerMoney);
}

void ShowHandName(TableSide side, HandCategory category, const char* name) {
    gShown.nameShown[side] = true;
    gShown.categories[side] = category;
    gShown.names[side] = name;
    if (gRecording)
        Record("ShowHandName(%s, %d, %s)", side == PlayerSide ? "PlayerSide" : "ComputerSide",
               static_cast<int>(category), RecordText(name).c_str());
    if (const TableOps* ops = Drawer()) ops->showHandName(gContext, side, category, name);
}

void MarkCard(int slot, Card card, bool marked) {
    MarkFace(card, marked);
    ShowInSlot(slot, SlotShowsFace, card);
    if (gRecording)
        Record("MarkCard(%d, %s, %s)", slot, RecordCard(card).text, marked ? "marked" : "unmarked");
    if (const TableOps* ops = Drawer()) ops->markCard(gContext, slot, card, marked);
}

void ClearCardMark(Card card) {
    MarkFace(card, false);
    if (gRecording) Record("ClearCardMark(%s)", RecordCard(card).text);
    if (const TableOps* ops = Drawer()) ops->clearCardMark(gContext, card);
}

void ClearHandNames() {
    for (bool& shown : gShown.nameShown) shown = false;
    if (gRecording) Record("ClearHandNames()");
    if (const TableOps* ops = Drawer()) ops->clearHandNames(gContext);
}

void RequestRepaint() {
    if (gRecording) Record("RequestRepaint()");
    if (const TableOps* ops = Drawer()) ops->requestRepaint(gContext);
    Notify(PictureChanged);
}

void EnableControl(TableControl control, bool enabled) {
    const int index = control - StartButton;
    if (index >= 0 && index < ControlCount) gControls.enabled[index] = enabled;
    if (gRecording) Record("Enable(%s, %d)", ControlName(control), enabled ? 1 : 0);
    if (const TableOps* ops = ControlRunner()) ops->enableControl(gContext, control, enabled);
    Notify(ControlsChanged);
}

void ArmRoundTimer(int milliseconds) {
    gControls.timerPeriod = milliseconds;
    if (gRecording) Record("Arm(RoundTimer, %d)", milliseconds);
    if (const TableOps* ops = ControlRunner()) ops->armRoundTimer(gContext, milliseconds);
    Notify(TimerChanged);
}

void StopRoundTimer() {
    gControls.timerPeriod = 0;
    if (gRecording) Record("Stop(RoundTimer)");
    if (const TableOps* ops = ControlRunner()) ops->stopRoundTimer(gContext);
    Notify(TimerChanged);
}

void ReadBetBoxText(char* text, int size) {
    if (size <= 0) return;
    std::snprintf(text, static_cast<std::size_t>(size), "%s", gControls.betBox);
    if (gRecording) Record("ReadBetBox() -> %s", gControls.betBox);
}

void WriteBetBoxText(const char* text) {
    std::snprintf(gControls.betBox, sizeof gControls.betBox, "%s", text);
    if (gRecording) Record("WriteBetBox(%s)", text);
    if (const TableOps* ops = ControlRunner()) ops->writeBetBoxText(gContext, text);
    Notify(ControlsChanged);
}

const char* MouthName(MouthPicture mouth) {
    switch (mouth) {
    case MouthClosed: return "MouthClosed";
    case MouthGrin: return "MouthGrin";
    case MouthOpen: return "MouthOpen";
    }
    return "Mouth?";
}

const char* ControlName(TableControl control) {
    switch (control) {
    case StartButton: return "StartButton";
    case ChangeButton: return "ChangeButton";
    case UpButton: return "UpButton";
    case DownButton: return "DownButton";
    case OkButton: return "OkButton";
    case FoldButton: return "FoldButton";
    case BetBox: return "BetBox";
    }
    return "Control?";
}
