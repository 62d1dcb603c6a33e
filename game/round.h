// The round controller: a whole match as a timer-paced state machine over the
// one MatchState record, with the opponent's every line of dialogue. Each
// handler is one event of the main window.
#pragma once

#include "game/match_state.h"
#include "game/table.h"

// Window creation, after the table and the controls exist: the greeting for
// the local hour (ShowSpeech, no repaint), then one deal that is never shown.
// It does not touch the bet box: the view writes "1" into it itself, with
// WriteBetBox(1), right after creating the controls.
void OpenTable(MatchState& match);

void StartDeal(MatchState& match);  // StartButton
// A click at table pixel (x, y): marks or unmarks the player's card under it,
// while the player is choosing cards; anywhere else does nothing.
void ToggleDiscard(MatchState& match, int x, int y);
// The same for the player's card at hand position 0..4 (keys, taps by card).
void ToggleDiscardAt(MatchState& match, int position);
void ChangeCards(MatchState& match);   // ChangeButton
void AdvanceRound(MatchState& match);  // tick of RoundTimer
void ConfirmBet(MatchState& match);    // OkButton
void FoldHand(MatchState& match);      // FoldButton
void RaiseBet(MatchState& match);      // UpButton
void LowerBet(MatchState& match);      // DownButton

// A command from one of the seven controls, by its identifier: runs the
// control's handler (the bet box has none). False when `commandId` is no
// control of the table. The window procedure and bluffwick-lab both route
// presses through here.
bool PressControl(MatchState& match, int commandId);

// The bet box steps between these, both included.
constexpr int LowestBet = 1;
constexpr int HighestBet = 10;
// The bet box: read (first two characters, leading digits), write ("%d").
int ReadBetBox();
void WriteBetBox(int value);
// True when the bet is within both sides' money.
bool CheckBet(const MatchState& match, int bet);

// The greeting for a local hour 0..23 (Shift-JIS).
const char* MakeGreeting(int hour);

// The player's hand position 0..4 whose slot contains (x, y), or -1. Left and
// top edges are inside, right and bottom edges outside.
int FindPlayerSlot(int x, int y);
