// The headless table of bluffwick-lab: the window's controls and timer kept
// in memory, and the game record printed on request.
#include "headless_table.h"

#include <iconv.h>

#include <cstdlib>
#include <cstring>

#include "game/round.h"
#include "game/shown_table.h"

namespace {

iconv_t gConverter = reinterpret_cast<iconv_t>(-1);

void CardText(Card card, char* out, int size) {
    static const char* const Ranks[] = {"A", "2", "3",  "4", "5", "6", "7",
                                        "8", "9", "10", "J", "Q", "K"};
    if (card < 0 || card >= DeckSize) {
        std::snprintf(out, static_cast<std::size_t>(size), "?%d", card);
    } else {
        std::snprintf(out, static_cast<std::size_t>(size), "%c%s", "SHCD"[card / 13],
                      Ranks[card % 13]);
    }
}

// Formats one record line only when tracing, so the plain run pays nothing.
#define TRACE(...)                                           \
    do {                                                     \
        if (table.trace) {                                   \
            char line_[600];                                 \
            std::snprintf(line_, sizeof line_, __VA_ARGS__); \
            TraceLine(table, line_);                         \
        }                                                    \
    } while (0)

HeadlessTable& Table(void* context) { return *static_cast<HeadlessTable*>(context); }

void ShowSpeechOp(void* context, const char* text) {
    HeadlessTable& table = Table(context);
    if (table.trace) {
        char readable[400];
        AppendReadable(text, readable, sizeof readable);
        TRACE("ShowSpeech(%s)", readable);
    }
}

void ClearSpeechOp(void* context) {
    HeadlessTable& table = Table(context);
    TRACE("ClearSpeech()");
}

void DrawMouthOp(void* context, MouthPicture mouth) {
    HeadlessTable& table = Table(context);
    TRACE("DrawMouth(%s)", MouthName(mouth));
}

void DrawCardFaceOp(void* context, int slot, Card card) {
    HeadlessTable& table = Table(context);
    if (table.trace) {
        char name[8];
        CardText(card, name, sizeof name);
        TRACE("DrawCardFace(%d, %s)", slot, name);
    }
}

void DrawCardBackOp(void* context, int slot) {
    HeadlessTable& table = Table(context);
    TRACE("DrawCardBack(%d)", slot);
}

void DrawEmptySlotOp(void* context, int slot) {
    HeadlessTable& table = Table(context);
    TRACE("DrawEmptySlot(%d)", slot);
}

void DrawMoneyOp(void* context, int computerMoney, int playerMoney) {
    HeadlessTable& table = Table(context);
    TRACE("DrawMoney(%d, %d)", computerMoney, playerMoney);
}

void ShowHandNameOp(void* context, TableSide side, HandCategory category, const char* name) {
    HeadlessTable& table = Table(context);
    if (table.trace) {
        char readable[100];
        AppendReadable(name, readable, sizeof readable);
        TRACE("ShowHandName(%s, %d, %s)", side == PlayerSide ? "PlayerSide" : "ComputerSide",
              category, readable);
    }
}

void MarkCardOp(void* context, int slot, Card card, bool marked) {
    HeadlessTable& table = Table(context);
    if (table.trace) {
        char name[8];
        CardText(card, name, sizeof name);
        TRACE("MarkCard(%d, %s, %s)", slot, name, marked ? "marked" : "unmarked");
    }
}

void ClearCardMarkOp(void* context, Card card) {
    HeadlessTable& table = Table(context);
    if (table.trace) {
        char name[8];
        CardText(card, name, sizeof name);
        TRACE("ClearCardMark(%s)", name);
    }
}

void ClearHandNamesOp(void* context) {
    HeadlessTable& table = Table(context);
    TRACE("ClearHandNames()");
}

void RequestRepaintOp(void* context) {
    HeadlessTable& table = Table(context);
    TRACE("RequestRepaint()");
}

void EnableControlOp(void* context, TableControl control, bool enabled) {
    HeadlessTable& table = Table(context);
    TRACE("Enable(%s, %d)", ControlName(control), enabled ? 1 : 0);
}

void ArmRoundTimerOp(void* context, int milliseconds) {
    HeadlessTable& table = Table(context);
    TRACE("Arm(RoundTimer, %d)", milliseconds);
}

void StopRoundTimerOp(void* context) {
    HeadlessTable& table = Table(context);
    TRACE("Stop(RoundTimer)");
}

void WriteBetBoxTextOp(void* context, const char* text) {
    HeadlessTable& table = Table(context);
    TRACE("WriteBetBox(%s)", text);
}

const TableOps HeadlessOps = {
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
    .writeBetBoxText = WriteBetBoxTextOp,
    .changed = nullptr,
};

}  // namespace

void InstallHeadlessTable(HeadlessTable& table, std::FILE* trace, const std::int64_t* virtualMs) {
    table = HeadlessTable{};
    table.trace = trace;
    table.virtualMs = virtualMs;
    if (!InstallTable(&HeadlessOps, &table)) {
        std::fprintf(stderr, "bluffwick-lab: the headless table is missing an operation\n");
        std::abort();
    }
}

void OpenHeadlessWindow(MatchState& match) {
    // The table as it opens, drawn and so written into the record.
    const ShownTable opening = TableShown();
    for (int slot = 0; slot < SlotCount; ++slot) {
        switch (opening.slots[slot]) {
        case SlotShowsBack: DrawCardBack(slot); break;
        case SlotShowsFace: DrawCardFace(slot, opening.cards[slot]); break;
        case SlotShowsEmpty: DrawEmptySlot(slot); break;
        }
    }
    DrawMoney(opening.computerMoney, opening.playerMoney);
    for (int k = 0; k < opening.mouthCount; ++k) DrawMouth(opening.mouths[k]);
    // The controls in the order the window creates them; only Start is enabled.
    EnableControl(BetBox, false);
    WriteBetBox(1);
    EnableControl(StartButton, true);
    EnableControl(ChangeButton, false);
    EnableControl(OkButton, false);
    EnableControl(FoldButton, false);
    EnableControl(UpButton, false);
    EnableControl(DownButton, false);
    OpenTable(match);
}

bool IsEnabled(TableControl control) { return ControlEnabled(TableControlsShown(), control); }

int TimerPeriod() { return TableControlsShown().timerPeriod; }

void TraceLine(const HeadlessTable& table, const char* text) {
    if (!table.trace) return;
    std::fprintf(table.trace, "%lld %s\n",
                 static_cast<long long>(table.virtualMs ? *table.virtualMs : 0), text);
}

void AppendReadable(const char* shiftJis, char* out, int size) {
    if (gConverter == reinterpret_cast<iconv_t>(-1)) gConverter = iconv_open("UTF-8", "CP932");
    char converted[400];
    char* source = const_cast<char*>(shiftJis);
    std::size_t sourceLeft = std::strlen(shiftJis);
    char* target = converted;
    std::size_t targetLeft = sizeof converted - 1;
    if (gConverter == reinterpret_cast<iconv_t>(-1) ||
        iconv(gConverter, &source, &sourceLeft, &target, &targetLeft) ==
            static_cast<std::size_t>(-1)) {
        if (gConverter != reinterpret_cast<iconv_t>(-1))
            iconv(gConverter, nullptr, nullptr, nullptr, nullptr);
        std::snprintf(out, static_cast<std::size_t>(size), "<not Shift-JIS>");
        return;
    }
    *target = '\0';
    int used = 0;
    for (const char* c = converted; *c && used + 2 < size; ++c) {
        if (*c == '\n') {
            out[used++] = '\\';
            out[used++] = 'n';
        } else {
            out[used++] = *c;
        }
    }
    out[used] = '\0';
}
