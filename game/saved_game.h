// The whole game as one value: the match, the random stream, the picture and
// the controls with RoundTimer. A front end that must outlive its process (the
// page on a phone) keeps this text and carries the game on from it.
#pragma once

#include <string>

#include "game/match_state.h"

// Written on the first line. A text of version 1, which kept no record of the
// match, carries on with an empty record; any other version is refused.
constexpr int SavedGameVersion = 2;
// Anything longer is refused before it is read. The record of the match adds
// at most 64 bytes a deal to about 1 KB, so this holds about 1,000 deals: the
// longest of 40,000 simulated matches took 447, and most take under 100.
constexpr int SavedGameMostBytes = 65536;

// The game as it stands now, as a few lines of ASCII.
std::string SaveGame(const MatchState& match);

// Reads a saved game. On success the match, the random stream, the picture
// and the controls are the saved ones and the front end is told that all of
// it changed. A text the game could not have reached is refused: the answer
// is false, `reason` says why in English, and the running game is untouched.
bool LoadGame(const std::string& text, MatchState& match, std::string& reason);
