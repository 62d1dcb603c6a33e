// The simulation the simulate mode runs, shared by its run loop, its players and its checks.
#pragma once

#include <cstdint>
#include <string>

#include "game/match_state.h"
#include "game/table.h"
#include "headless_table.h"

// The player's own generator, so its choices leave the game's stream alone.
struct PlayerRandom {
    std::uint64_t state;
};

// ---- What a person can do at the table.

enum ActionKind { ActionPress, ActionClick };

struct Action {
    ActionKind kind;
    TableControl control;  // ActionPress
    int x, y;              // ActionClick
};

enum PlayerStyle { PlayerRandomStyle, PlayerCarefulStyle };

struct Options {
    long long matches = 100;
    long long startSeconds = 1700000000;
    PlayerStyle player = PlayerRandomStyle;
    long long seed = 1;
    bool check = false;
    bool trace = false;
    bool record = false;  // print each match's record when it ends
};

struct Summary {
    long long matches = 0;
    long long deals = 0;
    long long showdowns = 0;
    long long playerFolds = 0;
    long long computerFolds = 0;
    long long computerMatchWins = 0;
    long long playerMatchWins = 0;
    long long events = 0;
};

struct Simulation {
    Options options;
    MatchState match;
    HeadlessTable table;
    PlayerRandom random;
    Summary summary;
    long long dealsBeforeMatch = 0;  // summary.deals when the current match began
    std::string violation;           // the first broken invariant, empty while none
};

// The event being handled, with what it found, for the counts and the checks.
enum EventKind { EventOpen, EventTick, EventPress, EventClick };

struct Event {
    EventKind kind;
    TableControl control;
    MatchState before;
    int timerBefore;
    int boxBefore;  // the bet box's amount as the event found it
};

// The players: each picks its next action from what the table shows, and
// returns false when nothing on the table can be used.
bool ChooseRandomAction(Simulation& sim, Action& action);
bool ChooseCarefulAction(Simulation& sim, Action& action);

// Under --check, after every event: keeps the first broken invariant in sim.violation.
void CheckInvariants(Simulation& sim, const Event& event);
