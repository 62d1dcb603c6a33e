// The recording table and the scripted opponent used by the controller tests.
#include "recording_table.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdio>
#include <stdexcept>

#include "game/match_state.h"
#include "game/table.h"
#include "opponent/opponent.h"

ScriptedOpponent gScriptedOpponent;

namespace {

RecordingTable* gTable = nullptr;

void Record(const std::string& line) {
    if (gTable) gTable->lines.push_back(line);
}

std::string Slot(int slot) { return std::to_string(slot); }

void ShowSpeechOp(void* context, const char* text) {
    static_cast<RecordingTable*>(context)->lastSpeech = text;
    Record("ShowSpeech(" + ReadableText(text) + ")");
}
void ClearSpeechOp(void*) { Record("ClearSpeech()"); }
void DrawMouthOp(void*, MouthPicture mouth) {
    Record(std::string("DrawMouth(") + MouthName(mouth) + ")");
}
void DrawCardFaceOp(void*, int slot, Card card) {
    Record("DrawCardFace(" + Slot(slot) + ", " + CardName(card) + ")");
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
    Record("MarkCard(" + Slot(slot) + ", " + CardName(card) +
           (marked ? ", marked)" : ", unmarked)"));
}
void ClearCardMarkOp(void*, Card card) { Record("ClearCardMark(" + CardName(card) + ")"); }
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

std::string MaskText(const DiscardMask& mask) {
    std::string text;
    for (int bit : mask) text += static_cast<char>('0' + bit);
    return text;
}

}  // namespace

const TableOps& RecordingTableOps() { return RecordingOps; }

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

std::string ReadableText(const char* shiftJis) {
    std::string in(shiftJis);
    std::string out(in.size() * 3 + 1, '\0');
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
    char* source = in.data();
    std::size_t sourceLeft = in.size();
    char* target = out.data();
    std::size_t targetLeft = out.size();
    const std::size_t result = iconv(converter, &source, &sourceLeft, &target, &targetLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1)) return "<not Shift-JIS>";
    out.resize(out.size() - targetLeft);
    std::string readable;
    for (char c : out) {
        if (c == '\n') {
            readable += "\\n";
        } else {
            readable += c;
        }
    }
    return readable;
}

namespace {

const char SuitLetters[] = "SHCD";
const char* const RankNames[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

}  // namespace

std::string CardName(Card card) {
    if (card < 0 || card >= DeckSize) return "?" + std::to_string(card);
    return std::string(1, SuitLetters[card / 13]) + RankNames[card % 13];
}

Card CardNamed(const std::string& name) {
    for (Card card = 0; card < DeckSize; ++card) {
        if (CardName(card) == name) return card;
    }
    throw std::invalid_argument("no card named " + name);
}

// The opponent stand-in: answers from the script and records each call with its
// arguments, so a test sees when the controller consults the computer.

int ChooseDiscards(const Hand& hand, DiscardMask& mask) {
    std::string line = "ChooseDiscards(";
    for (int i = 0; i < 5; ++i) line += (i ? " " : "") + CardName(hand[i]);
    DiscardAnswer answer{0, {}};
    if (!gScriptedOpponent.discards.empty()) {
        answer = gScriptedOpponent.discards.front();
        gScriptedOpponent.discards.pop_front();
    }
    if (answer.answer != 0) mask = answer.mask;
    Record(line + ") -> " + std::to_string(answer.answer) +
           (answer.answer ? " " + MaskText(mask) : ""));
    return answer.answer;
}

int ChooseBet(HandCategory category, int money, int playerIsDealer, int playerDrawCount,
              int bluffSuspected, int keepsKicker) {
    int answer = 1;
    if (!gScriptedOpponent.bets.empty()) {
        answer = gScriptedOpponent.bets.front();
        gScriptedOpponent.bets.pop_front();
    }
    Record("ChooseBet(" + std::to_string(category) + ", " + std::to_string(money) + ", " +
           std::to_string(playerIsDealer) + ", " + std::to_string(playerDrawCount) + ", " +
           std::to_string(bluffSuspected) + ", " + std::to_string(keepsKicker) + ") -> " +
           std::to_string(answer));
    return answer;
}

int ObserveDealerBet(int bet, int, int, PlayerObservation&) {
    int answer = 0;
    if (!gScriptedOpponent.bluffs.empty()) {
        answer = gScriptedOpponent.bluffs.front();
        gScriptedOpponent.bluffs.pop_front();
    }
    Record("ObserveDealerBet(" + std::to_string(bet) + ") -> " + std::to_string(answer));
    return answer;
}

void ObserveKeptCards(const Hand&, const DiscardMask&, int, PlayerObservation&) {
    Record("ObserveKeptCards()");
}
