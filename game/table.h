// The seam between the round controller and the screen: everything the game
// asks of the table and its controls. The forwarders below keep what the
// table shows (game/shown_table.h) and the state of its controls, and write
// the record of operations the tests compare; the Win32 view, the page, the
// recording fake of the tests and bluffwick-lab's headless table each fill a
// TableOps to be told of them.
#pragma once

#include <string>
#include <vector>

#include "cards/cards.h"
#include "cards/hand_eval.h"
#include "game/layout.h"

struct ShownTable;

// What a front end is told changed, as bits of one notice. A front end that
// draws from the core's state (TableShown, TableControlsShown) needs only this.
enum TableChange : unsigned {
    PictureChanged = 1,   // RequestRepaint: the picture wants showing again
    SpeechChanged = 2,    // a line was said, for a screen reader's live region
    ControlsChanged = 4,  // a control enabled or disabled, or the bet box written
    TimerChanged = 8,     // RoundTimer armed or stopped
};

// The seven controls and RoundTimer as the game left them: the rest of the
// game that lives beside the picture.
struct TableControls {
    bool enabled[ControlCount] = {
        true};            // by control - StartButton; the window makes Start enabled
    char betBox[4] = {};  // the bet box's text: "%d" of 1..10, empty before the window
    int timerPeriod = 0;  // ms; 0 while RoundTimer is stopped
};

bool ControlEnabled(const TableControls& controls, TableControl control);

// Every operation receives the provider's context first. A front end that
// keeps a surface of its own (the Win32 view, the lab's record) fills the
// twelve drawing operations, and the four control operations for windows and
// timers of its own; a front end that draws from the core's state fills only
// `changed`. Each group is filled whole or left empty.
struct TableOps {
    // Fills the speech rectangle white, then draws the Shift-JIS text left-aligned
    // from the top, word-wrapped at "\n" and at the right edge, clipped below.
    void (*showSpeech)(void* context, const char* text);
    // Fills the speech rectangle white.
    void (*clearSpeech)(void* context);
    // Draws that mouth picture at its own position.
    void (*drawMouth)(void* context, MouthPicture mouth);
    // Draws the face of `card` (picture card + 102, marks included) in slot 0..9.
    void (*drawCardFace)(void* context, int slot, Card card);
    // Draws the card back in slot 0..9.
    void (*drawCardBack)(void* context, int slot);
    // Draws the empty-slot picture in slot 0..9.
    void (*drawEmptySlot)(void* context, int slot);
    // Draws both two-digit counters (values 0..40).
    void (*drawMoney)(void* context, int computerMoney, int playerMoney);
    // Writes the Shift-JIS name in that side's strip; category 10 uses the narrow font.
    void (*showHandName)(void* context, TableSide side, HandCategory category, const char* name);
    // Recolours the face of `card` (white to cyan when marked, back when not)
    // and draws it in player slot 5..9. The mark stays with the picture.
    void (*markCard)(void* context, int slot, Card card, bool marked);
    // Takes the mark off the face of `card` without drawing.
    void (*clearCardMark)(void* context, Card card);
    // Fills the player's strip, then the computer's, with the strip grey.
    void (*clearHandNames)(void* context);
    // Asks for the window to be repainted from the off-screen table, no erase.
    void (*requestRepaint)(void* context);
    // Enables or disables one of the seven controls.
    void (*enableControl)(void* context, TableControl control, bool enabled);
    // Stops RoundTimer if it runs and starts it again with this period.
    void (*armRoundTimer)(void* context, int milliseconds);
    // Stops RoundTimer.
    void (*stopRoundTimer)(void* context);
    // Makes `text` the bet box's text.
    void (*writeBetBoxText)(void* context, const char* text);
    // After the core's state changed: a mask of TableChange.
    void (*changed)(void* context, unsigned what);
};

// The names used in game records and test expectations ("MouthOpen", "OkButton").
const char* MouthName(MouthPicture mouth);
const char* ControlName(TableControl control);

// Installs the provider the operations below forward to. A table with a group
// filled in part, or with nothing filled, is refused: nothing is installed and
// the answer is false. InstallTable(nullptr, nullptr) takes the table away;
// without one the core still keeps the picture and the controls. Every
// install starts them again as the window opens.
bool InstallTable(const TableOps* ops, void* context);

// The controls and the timer as the game left them.
const TableControls& TableControlsShown();
// Puts back a picture and controls read from a saved game, and tells the
// front end that everything changed (it arms its timer from timerPeriod).
void RestoreTable(const ShownTable& shown, const TableControls& controls);

// The record of every operation, one line each as the tests compare them
// ("DrawCardFace(5, AS)", "Enable(OkButton, 1)"), texts in Shift-JIS with
// line breaks written as a backslash and n. Off until started; starting it
// empties it.
void StartTableRecord();
void StopTableRecord();
// The lines recorded since the last call, and forgets them.
std::vector<std::string> TakeTableRecord();
// Adds a line of one's own (a test's stand-in opponent) when recording.
void AddTableRecordLine(const std::string& line);

void ShowSpeech(const char* text);
void ClearSpeech();
void DrawMouth(MouthPicture mouth);
void DrawCardFace(int slot, Card card);
void DrawCardBack(int slot);
void DrawEmptySlot(int slot);
void DrawMoney(int computerMoney, int playerMoney);
void ShowHandName(TableSide side, HandCategory category, const char* name);
void MarkCard(int slot, Card card, bool marked);
void ClearCardMark(Card card);
void ClearHandNames();
void RequestRepaint();
void EnableControl(TableControl control, bool enabled);
void ArmRoundTimer(int milliseconds);
void StopRoundTimer();
// Copies the bet box's text, NUL-terminated, into text[0..size-1].
void ReadBetBoxText(char* text, int size);
void WriteBetBoxText(const char* text);
