// The player's actions as the core takes them: a control pressed, a card
// marked by its position, or one of the game's keys. Front ends only turn
// their platform's events into these; focus, Tab, help and copying stay theirs.
#pragma once

#include "game/match_state.h"
#include "game/table.h"

enum GameKey {
    EnterKey,  // whichever of Start, Change and OK the step has enabled
    CardKey,   // 1-5: marks the card at hand position value 0..4
    FoldKey,   // F
    UpKey,     // up arrow, +
    DownKey,   // down arrow, -
};

enum InputKind { PressInput, MarkInput, KeyInput };

struct GameInput {
    InputKind kind;
    int value;  // the control for PressInput, the position for MarkInput and CardKey
    GameKey key = EnterKey;
    bool repeat = false;  // a key held down: only the arrows and + - act on it
};

constexpr GameInput Press(TableControl control) { return {PressInput, control}; }
constexpr GameInput Mark(int position) { return {MarkInput, position}; }
constexpr GameInput Key(GameKey key, bool repeat = false, int position = 0) {
    return {KeyInput, position, key, repeat};
}

// Runs one action of the player. False when it was refused and nothing ran:
// its control is disabled (cards are marked only while the player chooses
// them), or it names no control, key or position.
bool TakeInput(MatchState& match, const GameInput& input);
