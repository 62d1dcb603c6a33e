// The recording table used by the controller tests and the web front end's check.
#include "recording_table.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "card_notation.h"
#include "game/match_state.h"
#include "game/table.h"
#include "readable_text.h"

namespace {

RecordingTable* gTable = nullptr;

void Record(const std::string& line) { RecordLine(line); }

std::string Slot(int slot) { return std::to_string(slot); }

void ShowSpeechOp(void*, const char* text) { Record("ShowSpeech(" + ReadableText(text) + ")"); }
void ClearSpeechOp(void*) { Record("ClearSpeech()"); }
void DrawMouthOp(void*, MouthPicture mouth) {
    Record(std::string("DrawMouth(") + MouthName(mouth) + ")");
}
void DrawCardFaceOp(void*, int slot, Card card) {
    Record("DrawCardFace(" + Slot(slot) + ", " + CardText(card) + ")");
}
void DrawCardBackOp(void*, int slot) { Record("DrawCardBack(" + Slot(slot) + ")"); }
void DrawEmptySlotOp(void*, int slot) { Record("DrawEmptySlot(" + Slot(slot) + ")"); }
void DrawMoneyOp(void*, int computerMoney, int playerMoney) {
    Record("DrawMoney(" + std::to_string(computerMoney) + ", " + std::to_string(playerMoney) + ")");
}
void ShowHandNameOp(void*, TableSide side, HandCategory category, const char* name) {
    Record(std::string("ShowHandName(") + (side == PlayerSide ? "PlayerSide" : "ComputerSide") +
           ", " + std::to_string(category) + ", " + ReadableText(name) + ")");
}
void MarkCardOp(void*, int slot, Card card, bool marked) {
    Record("MarkCard(" + Slot(slot) + ", " + CardText(card) +
           (marked ? ", marked)" : ", unmarked)"));
}
void ClearCardMarkOp(void*, Card card) { Record("ClearCardMark(" + CardText(card) + ")"); }
void ClearHandNamesOp(void*) { Record("ClearHandNames()"); }
void RequestRepaintOp(void*) { Record("RequestRepaint()"); }
void EnableControlOp(void*, TableControl control, bool enabled) {
    Record(std::string("Enable(") + ControlName(control) + (enabled ? ", 1)" : ", 0)"));
}
void ArmRoundTimerOp(void* context, int milliseconds) {
    static_cast<RecordingTable*>(context)->timerPeriod = milliseconds;
    Record("Arm(RoundTimer, " + std::to_string(milliseconds) + ")");
}
void StopRoundTimerOp(void* context) {
    static_cast<RecordingTable*>(context)->timerPeriod = 0;
    Record("Stop(RoundTimer)");
}
void ReadBetBoxTextOp(void* context, char* text, int size) {
    const std::string& box = static_cast<RecordingTable*>(context)->betBoxText;
    std::snprintf(text, static_cast<std::size_t>(size), "%s", box.c_str());
    Record("ReadBetBox() -> " + box);
}
void WriteBetBoxTextOp(void* context, const char* text) {
    static_cast<RecordingTable*>(context)->betBoxText = text;
    Record(std::string("WriteBetBox(") + text + ")");
}

const TableOps RecordingOps = {
    .showSpeech = ShowSpeechOp,
    .clearSpeech = ClearSpeechOp,
    .drawMouth = DrawMouthOp,
    .drawCardFace = DrawCardFaceOp,
    .drawCardBack = DrawCardBackOp,
    .drawEmptySlot = DrawEmptySlotOp,
    .drawMoney = DrawMoneyOp,
    .showHandName = ShowHandNameOp,
    .markCard = MarkCardOp,
    .clearCardMark = ClearCardMarkOp,
    .clearHandNames = ClearHandNamesOp,
    .requestRepaint = RequestRepaintOp,
    .enableControl = EnableControlOp,
    .armRoundTimer = ArmRoundTimerOp,
    .stopRoundTimer = StopRoundTimerOp,
    .readBetBoxText = ReadBetBoxTextOp,
    .writeBetBoxText = WriteBetBoxTextOp,
};

}  // namespace

const TableOps& RecordingTableOps() { return RecordingOps; }

void RecordLine(const std::string& line) {
    if (gTable) gTable->lines.push_back(line);
}

void InstallRecordingTable(RecordingTable& table) {
    gTable = &table;
    if (!InstallTable(&RecordingOps, &table)) ADD_FAILURE() << "the recording table was refused";
}

void RemoveRecordingTable() {
    gTable = nullptr;
    if (!InstallTable(nullptr, nullptr)) ADD_FAILURE() << "the table could not be taken away";
}

std::string TakeRecord(RecordingTable& table) {
    std::string joined;
    for (const std::string& line : table.lines) {
        if (!joined.empty()) joined += "\n";
        joined += line;
    }
    table.lines.clear();
    return joined;
}
