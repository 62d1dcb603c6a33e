// The seam between the round controller and the screen: everything the game
// asks of the table and its controls. The Win32 view, the page, the recording
// fake of the tests and the headless table of bluffwick-lab each fill a
// TableOps; they only draw, since the forwarders below keep the one picture of
// what the table shows (game/shown_table.h).
#pragma once

#include "cards/cards.h"
#include "cards/hand_eval.h"
#include "game/layout.h"

// Values are the bitmap resource numbers of the three mouth pictures.
enum MouthPicture { MouthClosed = 182, MouthGrin = 183, MouthOpen = 184 };

enum TableSide { ComputerSide = 0, PlayerSide = 1 };

// Values are the control identifiers of the main window.
enum TableControl {
    StartButton = 100,
    ChangeButton = 101,
    UpButton = 102,
    DownButton = 103,
    OkButton = 104,
    FoldButton = 105,
    BetBox = 106,
};
constexpr int ControlCount = 7;  // StartButton .. BetBox

// Where the control sits on the table.
TableRect ControlRect(TableControl control);
// The height the mouth picture is drawn at (each has its own).
int MouthTop(MouthPicture mouth);

// Every operation receives the provider's context first. Drawing operations
// draw into the off-screen table only; nothing shows until requestRepaint.
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
    // Copies the bet box's text, NUL-terminated, into text[0..size-1].
    void (*readBetBoxText)(void* context, char* text, int size);
    // Makes `text` the bet box's text.
    void (*writeBetBoxText)(void* context, const char* text);
};

// The names used in game records and test expectations ("MouthOpen", "OkButton").
const char* MouthName(MouthPicture mouth);
const char* ControlName(TableControl control);

// Installs the provider the operations below forward to. A table with any
// operation missing is refused: nothing is installed and the answer is false.
// InstallTable(nullptr, nullptr) takes the table away; without one every
// operation does nothing and the bet box reads as empty. Every install starts
// the picture again as the opening table.
bool InstallTable(const TableOps* ops, void* context);

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
void ReadBetBoxText(char* text, int size);
void WriteBetBoxText(const char* text);
