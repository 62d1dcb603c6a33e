// The whole game as one value: the match, the random stream, the picture and
// the controls with RoundTimer. A front end that must outlive its process (the
// page on a phone) keeps this text and carries the game on from it.
#pragma once

#include <string>

#include "game/match_state.h"

// Written on the first line; a text of another version is refused.
constexpr int SavedGameVersion = 1;
// No game is longer; anything longer is refused before it is read.
constexpr int SavedGameMostBytes = 4096;

// The game as it stands now, as a few lines of ASCII.
std::string SaveGame(const MatchState& match);

// Reads a saved game. On success the match, the random stream, the picture
// and the controls are the saved ones and the front end is told that all of
// it changed. A text the game could not have reached is refused: the answer
// is false, `reason` says why in English, and the running game is untouched.
bool LoadGame(const std::string& text, MatchState& match, std::string& reason);
