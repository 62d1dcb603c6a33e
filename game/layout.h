// Where things sit on the 640 x 480 table, in client pixels. Shared by the
// controller's hit test and by every provider that draws the table.
#pragma once

constexpr int TableWidth = 640;
constexpr int TableHeight = 480;
// The part a 640 x 480 window's client area shows of it.
constexpr int VisibleTableWidth = 634;
constexpr int VisibleTableHeight = 436;

// A rectangle of the table in table pixels; right and bottom exclusive.
struct TableRect {
    int left, top, right, bottom;
};

constexpr int CardWidth = 76;
constexpr int CardHeight = 108;
constexpr int SlotCount = 10;  // 0..4 the computer's row, 5..9 the player's
constexpr int ComputerRowTop = 20;
constexpr int PlayerRowTop = 310;

constexpr int SlotLeft(int slot) { return 200 + 85 * (slot % 5); }
constexpr int SlotTop(int slot) { return slot < 5 ? ComputerRowTop : PlayerRowTop; }

// Money counters: tens cell then ones cell, each 33 x 44; the ones cell
// overlaps the tens by one column and is drawn after it.
constexpr int DigitWidth = 33;
constexpr int DigitHeight = 44;
constexpr int MoneyTensLeft = 552;
constexpr int MoneyOnesLeft = 584;
constexpr int ComputerMoneyTop = 149;
constexpr int PlayerMoneyTop = 248;

// The mouth pictures are 169 x 76, each at its own height.
constexpr int MouthWidth = 169;
constexpr int MouthHeight = 76;
constexpr int MouthLeft = 15;
constexpr int MouthClosedTop = 7;
constexpr int MouthGrinTop = 10;
constexpr int MouthOpenTop = 5;

// Inside the white bubble of the table picture; right and bottom exclusive.
constexpr int SpeechLeft = 23;
constexpr int SpeechTop = 130;
constexpr int SpeechRight = 165;
constexpr int SpeechBottom = 280;

// The selection mark turns a face's white into cyan by palette index.
constexpr unsigned char FaceWhiteIndex = 1;
constexpr unsigned char MarkCyanIndex = 7;

// Colours of what is drawn over the pictures, as 0xRRGGBB.
constexpr int TableGreen = 0x008000;
constexpr int SpeechWhite = 0xFFFFFF;
constexpr int SpeechBlack = 0x000000;
constexpr int StripGrey = 0xC2C2C2;
constexpr int HandNameBlue = 0x0000FF;

// Hand-name strips; text origin is the top-left corner.
constexpr int StripLeft = 300;
constexpr int StripRight = 540;
constexpr int StripHeight = 35;
constexpr int ComputerStripTop = 155;
constexpr int PlayerStripTop = 255;
// The hand names' font: a 28-pixel cell, 10 pixels a character, or 8 for the
// one name too long for that.
constexpr int HandNameFontHeight = 28;
constexpr int HandNameFontWidth = 10;
constexpr int HandNameNarrowFontWidth = 8;
