// The game's entry points for the page: opening or resuming the table, the
// player's actions, the ticks of the round timer, the saved game, the
// controls, the table in words and the record of the match.
#include <emscripten.h>

#include <string>

#include "cards/random.h"
#include "game/input.h"
#include "game/match_record.h"
#include "game/match_state.h"
#include "game/round.h"
#include "game/saved_game.h"
#include "game/table_words.h"
#include "web/web_table.h"

// The page's clock: calendar seconds and the local hour, as the program reads them.
EM_JS(double, PageClockSeconds, (), { return Module.clock.seconds(); });
EM_JS(int, PageLocalHour, (), { return Module.clock.hour(); });

namespace {

MatchState gMatch;
std::string gAnswer;                     // the last text answered, kept until the next question
char gGameText[SavedGameMostBytes + 1];  // where the page puts a saved game to resume

std::int64_t ClockSeconds() { return static_cast<std::int64_t>(PageClockSeconds()); }
int LocalHour() { return PageLocalHour(); }

const char* Answer(std::string text) {
    gAnswer = std::move(text);
    return gAnswer.c_str();
}

}  // namespace

extern "C" {

// As the program starts: seeded from the clock, then the window's creation
// (the bet box gets its "1" when the controls are made, then the greeting and
// the unseen deal). Installing the table opens its picture.
EMSCRIPTEN_KEEPALIVE int OpenWebTable() {
    SetClockSources(ClockSeconds, LocalHour);
    SeedRandom(static_cast<std::uint32_t>(ReadClockSeconds()));
    gMatch = MatchState{};
    if (!InstallTable(&PageTableOps(), nullptr)) return 0;
    WriteBetBox(1);
    OpenTable(gMatch);
    return 1;
}

// Room for a saved game of `SavedGameMostBytes`; the page writes it there.
EMSCRIPTEN_KEEPALIVE char* WebGameBuffer() { return gGameText; }

// Carries on the saved game of `length` bytes in the buffer: no seeding, no
// greeting. Answers "" when it did, else why not; the page then opens afresh.
EMSCRIPTEN_KEEPALIVE const char* ResumeWebTable(int length) {
    if (length < 0 || length > SavedGameMostBytes) return Answer("the saved game is too long");
    SetClockSources(ClockSeconds, LocalHour);
    if (!InstallTable(&PageTableOps(), nullptr)) return Answer("the table was refused");
    std::string reason;
    MatchState resumed;
    if (!LoadGame(std::string(gGameText, static_cast<std::size_t>(length)), resumed, reason))
        return Answer(reason);
    gMatch = resumed;
    return Answer("");
}

// The whole game as text, to be kept by the page after every step.
EMSCRIPTEN_KEEPALIVE const char* WebSaveGame() { return Answer(SaveGame(gMatch)); }

// One action of the player (game/input.h): kind 0 a press of control `value`,
// 1 a mark of hand position `value`, 2 a key (`key` as GameKey, `value` the
// position for a digit). 1 when it ran, 0 when it was refused.
EMSCRIPTEN_KEEPALIVE int TakeWebInput(int kind, int value, int key, int repeat) {
    if (kind < PressInput || kind > KeyInput || key < EnterKey || key > DownKey) return 0;
    const GameInput input{static_cast<InputKind>(kind), value, static_cast<GameKey>(key),
                          repeat != 0};
    return TakeInput(gMatch, input) ? 1 : 0;
}

// The player's hand position under table pixel (x, y), or -1.
EMSCRIPTEN_KEEPALIVE int WebPlayerSlot(int x, int y) { return FindPlayerSlot(x, y); }

EMSCRIPTEN_KEEPALIVE void TickWebTimer() { AdvanceRound(gMatch); }

// The controls as the game left them.
EMSCRIPTEN_KEEPALIVE int WebControlEnabled(int control) {
    if (control < StartButton || control >= StartButton + ControlCount) return 0;
    return ControlEnabled(TableControlsShown(), static_cast<TableControl>(control)) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE const char* WebBetBoxText() { return TableControlsShown().betBox; }
EMSCRIPTEN_KEEPALIVE int WebTimerPeriod() { return TableControlsShown().timerPeriod; }

// The checks' record of table operations: started before the table opens,
// then taken as Shift-JIS lines joined by "\n".
EMSCRIPTEN_KEEPALIVE void WebStartRecord() { StartTableRecord(); }
EMSCRIPTEN_KEEPALIVE const char* WebTakeRecord() {
    std::string joined;
    for (const std::string& line : TakeTableRecord()) joined += line + "\n";
    return Answer(joined);
}

// Shift-JIS, NUL-terminated; valid until the next call of any text answer.
EMSCRIPTEN_KEEPALIVE const char* WebTablePartName(int part) {
    return Answer(TablePartName(TableShown(), part));
}
EMSCRIPTEN_KEEPALIVE const char* WebTableText() { return Answer(DescribeTable(TableShown())); }

// The match deal by deal, Shift-JIS with CR LF, a paragraph a deal (before the
// first, a line that says so), and how many deals it holds.
EMSCRIPTEN_KEEPALIVE const char* WebMatchRecord() {
    return Answer(MatchRecordWords(gMatch.record));
}

EMSCRIPTEN_KEEPALIVE int WebMatchDealCount() {
    return static_cast<int>(gMatch.record.deals.size());
}

}  // extern "C"
