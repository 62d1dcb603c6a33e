// Plays a match script against the real game core on the recording table and
// prints every table operation, one line each, as the page must perform them.
//   record_match SCRIPT
// Script lines: "clock SECONDS", "hour H", "open", "press ControlName",
// "click X Y", "tick" (one tick of RoundTimer), "run" (ticks until the timer
// stops); "#" starts a comment.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cards/random.h"
#include "game/match_state.h"
#include "game/round.h"
#include "recording_table.h"

namespace {

std::int64_t gSeconds = 0;
int gHour = 12;

std::int64_t ScriptSeconds() { return gSeconds; }
int ScriptHour() { return gHour; }

int ControlId(const std::string& name) {
    for (int id = StartButton; id <= BetBox; ++id) {
        if (name == ControlName(static_cast<TableControl>(id))) return id;
    }
    return -1;
}

// Ticks stop when the timer does; a step that keeps it running for ever is a fault.
constexpr int MostTicksInARun = 100;

// Which controls are enabled, read off the record's "Enable(Name, 1)" lines:
// a script may press only those, as a player can. The window makes Start enabled.
bool gEnabled[BetBox - StartButton + 1] = {true};

void NoteEnabling(const std::string& op) {
    for (int id = StartButton; id <= BetBox; ++id) {
        const std::string prefix =
            std::string("Enable(") + ControlName(static_cast<TableControl>(id));
        if (op == prefix + ", 1)") gEnabled[id - StartButton] = true;
        if (op == prefix + ", 0)") gEnabled[id - StartButton] = false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: record_match SCRIPT\n");
        return 2;
    }
    std::ifstream script(argv[1]);
    if (!script) {
        std::fprintf(stderr, "record_match: cannot read %s\n", argv[1]);
        return 2;
    }
    SetClockSources(ScriptSeconds, ScriptHour);
    RecordingTable table;
    InstallRecordingTable(table);
    MatchState match;
    std::string line;
    int lineNumber = 0;
    while (std::getline(script, line)) {
        ++lineNumber;
        std::istringstream words(line.substr(0, line.find('#')));
        std::string verb;
        if (!(words >> verb)) continue;
        if (verb == "clock") {
            words >> gSeconds;
        } else if (verb == "hour") {
            words >> gHour;
        } else if (verb == "open") {
            // As the program starts: seeded, the bet box made with "1", the table opened.
            SeedRandom(static_cast<std::uint32_t>(ReadClockSeconds()));
            WriteBetBox(1);
            OpenTable(match);
        } else if (verb == "press") {
            std::string name;
            words >> name;
            const int id = ControlId(name);
            if (id < 0 || !gEnabled[id - StartButton] || !PressControl(match, id)) {
                std::fprintf(stderr, "record_match: line %d: %s is no enabled control\n",
                             lineNumber, name.c_str());
                return 2;
            }
        } else if (verb == "click") {
            int x = 0, y = 0;
            words >> x >> y;
            ToggleDiscard(match, x, y);
        } else if (verb == "tick") {
            AdvanceRound(match);
        } else if (verb == "run") {
            int ticks = 0;
            while (table.timerPeriod != 0 && ticks++ < MostTicksInARun) AdvanceRound(match);
        } else {
            std::fprintf(stderr, "record_match: line %d: unknown %s\n", lineNumber, verb.c_str());
            return 2;
        }
        for (const std::string& op : RecordedLines(table)) {
            NoteEnabling(op);
            std::cout << op << "\n";
        }
        table.lines.clear();
    }
    RemoveRecordingTable();
    return 0;
}
