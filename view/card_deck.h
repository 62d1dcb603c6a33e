// Which deck the table shows: the two colours of a paper deck, or four
// (diamonds blue, clubs green). Four when the player chose it from the menu
// (kept in bluffwick.ini) or while Windows' high-contrast setting is on.
#pragma once

#include <windows.h>

// The player's choice, in a section of its own beside the shortcut answers.
constexpr char DeckSection[] = "Cards";
constexpr char FourColourKey[] = "FOURCOLOUR";

// True while Windows' high-contrast setting is on.
bool SystemAsksForContrast();

// At window creation, before the table is drawn: the choice read from the
// settings file, the system's setting, and the deck that follows from both.
void ChooseDeckAtStart();

// The menu's command: the choice turned over and kept, the table redrawn.
void ToggleFourColourDeck(HWND window);

// The system's settings may have changed: the table follows its contrast.
void FollowSystemContrast(HWND window);

// The menu item shows the deck in effect; it is greyed while the system asks
// for contrast, which the player cannot overrule.
void ShowDeckInMenu(HWND window);
