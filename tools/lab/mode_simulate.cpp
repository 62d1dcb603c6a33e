// bluffwick-lab simulate: the run of whole matches on a headless table, its options and summary.
#include <time.h>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "cards/random.h"
#include "game/match_record.h"
#include "game/round.h"
#include "headless_table.h"
#include "lab_input.h"
#include "lab_modes.h"
#include "simulation.h"

namespace {

// ---- The virtual clock: every shuffle reseeds from it, as from the real one.

std::int64_t gStartSeconds = 1700000000;
std::int64_t gVirtualMs = 0;

std::int64_t ReadVirtualSeconds() { return gStartSeconds + gVirtualMs / 1000; }

int ReadVirtualHour() {
    const std::int64_t seconds = ReadVirtualSeconds();
    const std::int64_t hour = (seconds / 3600) % 24;
    return static_cast<int>(hour < 0 ? hour + 24 : hour);
}

// Money moves at least a dollar a deal, so a real match is over long before
// this; a match still going after it means the end of a match is broken.
constexpr long long MaxDealsPerMatch = 100000;

void Press(Simulation& sim, TableControl control) {
    HeadlessTable& table = sim.table;
    if (table.trace) TraceLine(table, (std::string("Press(") + ControlName(control) + ")").c_str());
    PressControl(sim.match, control);
}

void Click(Simulation& sim, int x, int y) {
    if (sim.table.trace) {
        char line[64];
        std::snprintf(line, sizeof line, "Click(%d, %d)", x, y);
        TraceLine(sim.table, line);
    }
    ToggleDiscard(sim.match, x, y);
}

// The match's record as the game words it, in UTF-8, one line of the record a line.
void PrintRecord(const Simulation& sim) {
    std::printf("record of match %lld:\n", sim.summary.matches);
    const std::string words = MatchRecordWords(sim.match.record);
    std::size_t at = 0;
    while (at < words.size()) {
        std::size_t end = words.find("\r\n", at);
        if (end == std::string::npos) end = words.size();
        char readable[512];
        AppendReadable(words.substr(at, end - at).c_str(), readable, sizeof readable);
        std::printf("%s\n", readable);
        at = end + 2;
    }
    std::printf("\n");
}

// ---- The run.

void CountEvent(Simulation& sim, const Event& event) {
    const MatchState& match = sim.match;
    Summary& summary = sim.summary;
    if (event.kind == EventPress) {
        if (event.control == StartButton) ++summary.deals;
        if (event.control == FoldButton) ++summary.playerFolds;
        if (event.control == OkButton && event.before.roundState == RoundBetting &&
            match.roundState == RoundSettled) {
            ++summary.computerFolds;
        }
    }
    if (event.kind == EventTick && event.before.roundState == RoundShowdown) ++summary.showdowns;
    if (event.kind == EventTick && event.before.roundState == RoundSettled) {
        if (match.computerMoney == 40) {
            ++summary.matches;
            ++summary.computerMatchWins;
            sim.dealsBeforeMatch = summary.deals;
            if (sim.options.record) PrintRecord(sim);
        } else if (match.playerMoney == 40) {
            ++summary.matches;
            ++summary.playerMatchWins;
            sim.dealsBeforeMatch = summary.deals;
            if (sim.options.record) PrintRecord(sim);
        }
    }
}

void FinishEvent(Simulation& sim, const Event& event) {
    ++sim.summary.events;
    CountEvent(sim, event);
    if (sim.options.check) CheckInvariants(sim, event);
}

Event BeginEvent(const Simulation& sim, EventKind kind, TableControl control) {
    Event event{kind, control, MatchState{}, TimerPeriod(), sim.options.check ? ReadBetBox() : 0};
    if (sim.options.check)
        event.before = sim.match;
    else {
        event.before.roundState = sim.match.roundState;
        event.before.playerMoney = sim.match.playerMoney;
    }
    return event;
}

bool ParseOptions(int argc, char** argv, Options& options, std::string& problem) {
    bool seen[4] = {};
    for (int k = 0; k < argc; ++k) {
        const std::string name = argv[k];
        if (name == "--check") {
            options.check = true;
            continue;
        }
        if (name == "--trace") {
            options.trace = true;
            continue;
        }
        if (name == "--record") {
            options.record = true;
            continue;
        }
        static const char* const Valued[] = {"--matches", "--time", "--player", "--seed"};
        int which = -1;
        for (int v = 0; v < 4; ++v) {
            if (name == Valued[v]) which = v;
        }
        if (which < 0) {
            problem = "simulate: unknown argument '" + name + "'";
            return false;
        }
        if (seen[which]) {
            problem = "simulate: " + name + " given twice";
            return false;
        }
        seen[which] = true;
        if (k + 1 >= argc) {
            problem = "simulate: " + name + " needs a value";
            return false;
        }
        const char* value = argv[++k];
        long long number = 0;
        switch (which) {
        case 0:
            if (!ParseArgument(value, 0, 1000000000LL, number)) {
                problem = "simulate: --matches must be a whole number from 0 to 1000000000";
                return false;
            }
            options.matches = number;
            break;
        case 1:
            if (!ParseArgument(value, 0, 4000000000LL, number)) {
                problem = "simulate: --time must be a whole number of seconds from 0 to 4000000000";
                return false;
            }
            options.startSeconds = number;
            break;
        case 2:
            if (std::strcmp(value, "random") == 0) {
                options.player = PlayerRandomStyle;
            } else if (std::strcmp(value, "careful") == 0) {
                options.player = PlayerCarefulStyle;
            } else {
                problem = std::string("simulate: --player must be random or careful, not '") +
                          value + "'";
                return false;
            }
            break;
        case 3:
            if (!ParseArgument(value, 0, 9223372036854775807LL, number)) {
                problem = "simulate: --seed must be a whole number from 0 to 9223372036854775807";
                return false;
            }
            options.seed = number;
            break;
        }
    }
    return true;
}

}  // namespace

int RunSimulateMode(int argc, char** argv) {
    static Simulation sim;
    std::string problem;
    sim = Simulation{};
    if (!ParseOptions(argc, argv, sim.options, problem)) return ReportBadUsage(problem);
    const Options& options = sim.options;

    gStartSeconds = options.startSeconds;
    gVirtualMs = 0;
    SetClockSources(ReadVirtualSeconds, ReadVirtualHour);
    SeedRandom(static_cast<std::uint32_t>(ReadVirtualSeconds()));  // as the program's entry does
    sim.random.state = static_cast<std::uint64_t>(options.seed);
    InstallHeadlessTable(sim.table, options.trace ? stdout : nullptr, &gVirtualMs);

    // <chrono> cannot be compiled with Shift-JIS literals (its micro sign has no
    // code in 932), so the wall clock is read the POSIX way.
    timespec wallStart{};
    clock_gettime(CLOCK_MONOTONIC, &wallStart);
    {
        const Event event = BeginEvent(sim, EventOpen, StartButton);
        OpenHeadlessWindow(sim.match);
        FinishEvent(sim, event);
    }
    bool stuck = false;
    bool endless = false;
    while (sim.summary.matches < options.matches && sim.violation.empty()) {
        if (sim.summary.deals - sim.dealsBeforeMatch > MaxDealsPerMatch) {
            endless = true;
            break;
        }
        if (TimerPeriod() > 0) {
            gVirtualMs += TimerPeriod();
            const Event event = BeginEvent(sim, EventTick, StartButton);
            if (sim.table.trace) TraceLine(sim.table, "Tick(RoundTimer)");
            AdvanceRound(sim.match);
            FinishEvent(sim, event);
            continue;
        }
        gVirtualMs += 3000;  // the player takes a moment before every action
        Action action{};
        const bool acted = options.player == PlayerCarefulStyle ? ChooseCarefulAction(sim, action)
                                                                : ChooseRandomAction(sim, action);
        if (!acted) {
            stuck = true;
            break;
        }
        if (action.kind == ActionClick) {
            const Event event = BeginEvent(sim, EventClick, StartButton);
            Click(sim, action.x, action.y);
            FinishEvent(sim, event);
        } else {
            const Event event = BeginEvent(sim, EventPress, action.control);
            Press(sim, action.control);
            FinishEvent(sim, event);
        }
    }
    timespec wallEnd{};
    clock_gettime(CLOCK_MONOTONIC, &wallEnd);
    const double seconds = static_cast<double>(wallEnd.tv_sec - wallStart.tv_sec) +
                           static_cast<double>(wallEnd.tv_nsec - wallStart.tv_nsec) / 1e9;
    InstallTable(nullptr, nullptr);
    SetClockSources(nullptr, nullptr);

    const Summary& summary = sim.summary;
    std::printf("matches: %lld\n", summary.matches);
    std::printf("deals: %lld\n", summary.deals);
    std::printf("showdowns: %lld\n", summary.showdowns);
    std::printf("player_folds: %lld\n", summary.playerFolds);
    std::printf("computer_folds: %lld\n", summary.computerFolds);
    std::printf("computer_match_wins: %lld\n", summary.computerMatchWins);
    std::printf("player_match_wins: %lld\n", summary.playerMatchWins);
    std::printf("deals_per_second: %.0f\n",
                seconds > 0 ? static_cast<double>(summary.deals) / seconds : 0.0);
    std::printf("events: %lld\n", summary.events);
    std::printf("virtual_seconds: %lld\n", static_cast<long long>(gVirtualMs / 1000));
    int status = 0;
    if (stuck) {
        std::printf("stuck: %s with no control to use and RoundTimer stopped\n",
                    RoundStateName(sim.match.roundState));
        status = 1;
    }
    if (endless) {
        std::printf("endless: match %lld not over after %lld deals\n", sim.summary.matches + 1,
                    MaxDealsPerMatch);
        status = 1;
    }
    if (options.check) {
        if (sim.violation.empty()) {
            std::printf("invariant_violations: 0\n");
        } else {
            std::printf("invariant_violations: 1\n");
            std::printf("first_violation: %s\n", sim.violation.c_str());
            status = 1;
        }
    }
    FlushLabOutput();
    return status;
}
