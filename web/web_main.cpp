// The game's entry points for the page: opening the table, the controls, the
// clicks on the table, the ticks of the round timer, and the table in words.
#include <emscripten.h>

#include <string>

#include "cards/random.h"
#include "game/match_state.h"
#include "game/round.h"
#include "game/table_words.h"
#include "web/web_table.h"

// The page's clock: calendar seconds and the local hour, as the program reads them.
EM_JS(double, PageClockSeconds, (), { return Module.clock.seconds(); });
EM_JS(int, PageLocalHour, (), { return Module.clock.hour(); });

namespace {

MatchState gMatch;
std::string gWords;  // the last answer in words, kept until the next question

std::int64_t ClockSeconds() { return static_cast<std::int64_t>(PageClockSeconds()); }
int LocalHour() { return PageLocalHour(); }

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

// A press of one of the seven controls; the page sends only enabled ones.
EMSCRIPTEN_KEEPALIVE int PressWebControl(int id) { return PressControl(gMatch, id) ? 1 : 0; }

// A click on the table, in table pixels.
EMSCRIPTEN_KEEPALIVE void ClickWebTable(int x, int y) { ToggleDiscard(gMatch, x, y); }

// A key or a tap naming the player's card at hand position 0..4.
EMSCRIPTEN_KEEPALIVE void ToggleWebCard(int position) { ToggleDiscardAt(gMatch, position); }

EMSCRIPTEN_KEEPALIVE void TickWebTimer() { AdvanceRound(gMatch); }

EMSCRIPTEN_KEEPALIVE int WebRoundState() { return gMatch.roundState; }

// Shift-JIS, NUL-terminated; valid until the next call of either.
EMSCRIPTEN_KEEPALIVE const char* WebTablePartName(int part) {
    gWords = TablePartName(TableShown(), part);
    return gWords.c_str();
}
EMSCRIPTEN_KEEPALIVE const char* WebTableText() {
    gWords = DescribeTable(TableShown());
    return gWords.c_str();
}

}  // extern "C"
