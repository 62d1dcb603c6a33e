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

constexpr bool RectContains(const TableRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// Each side's things are kept in arrays indexed by these.
enum TableSide { ComputerSide = 0, PlayerSide = 1 };
constexpr int SideCount = 2;

constexpr int CardWidth = 76;
constexpr int CardHeight = 108;
constexpr int SlotCount = 10;  // 0..4 the computer's row, 5..9 the player's
constexpr int FirstPlayerSlot = 5;
constexpr int ComputerRowTop = 20;
constexpr int PlayerRowTop = 310;

constexpr int SlotLeft(int slot) { return 200 + 85 * (slot % 5); }
constexpr int SlotTop(int slot) { return slot < 5 ? ComputerRowTop : PlayerRowTop; }
constexpr TableRect SlotRect(int slot) {
    return {SlotLeft(slot), SlotTop(slot), SlotLeft(slot) + CardWidth, SlotTop(slot) + CardHeight};
}

// Money counters: tens cell then ones cell, each 33 x 44; the ones cell
// overlaps the tens by one column and is drawn after it.
constexpr int DigitWidth = 33;
constexpr int DigitHeight = 44;
constexpr int MoneyTensLeft = 552;
constexpr int MoneyOnesLeft = 584;
constexpr int ComputerMoneyTop = 149;
constexpr int PlayerMoneyTop = 248;

constexpr int MoneyTop(TableSide side) {
    return side == ComputerSide ? ComputerMoneyTop : PlayerMoneyTop;
}
constexpr TableRect MoneyRect(TableSide side) {
    return {MoneyTensLeft, MoneyTop(side), MoneyOnesLeft + DigitWidth,
            MoneyTop(side) + DigitHeight};
}

// Values are the bitmap resource numbers of the three mouth pictures.
enum MouthPicture { MouthClosed = 182, MouthGrin = 183, MouthOpen = 184 };

// The mouth pictures are 169 x 76, each at its own height.
constexpr int MouthWidth = 169;
constexpr int MouthHeight = 76;
constexpr int MouthLeft = 15;
constexpr int MouthClosedTop = 7;
constexpr int MouthGrinTop = 10;
constexpr int MouthOpenTop = 5;

constexpr int MouthTop(MouthPicture mouth) {
    switch (mouth) {
    case MouthClosed: return MouthClosedTop;
    case MouthGrin: return MouthGrinTop;
    case MouthOpen: return MouthOpenTop;
    }
    return MouthOpenTop;
}

// Inside the white bubble of the table picture; right and bottom exclusive.
constexpr int SpeechLeft = 23;
constexpr int SpeechTop = 130;
constexpr int SpeechRight = 165;
constexpr int SpeechBottom = 280;
constexpr TableRect SpeechRect = {SpeechLeft, SpeechTop, SpeechRight, SpeechBottom};

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
constexpr TableRect StripRect(TableSide side) {
    const int top = side == ComputerSide ? ComputerStripTop : PlayerStripTop;
    return {StripLeft, top, StripRight, top + StripHeight};
}
// The hand names' font: a 28-pixel cell, 10 pixels a character, or 8 for the
// one name too long for that.
constexpr int HandNameFontHeight = 28;
constexpr int HandNameFontWidth = 10;
constexpr int HandNameNarrowFontWidth = 8;

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

constexpr TableRect ControlRect(TableControl control) {
    switch (control) {
    case StartButton: return {10, 300, 90, 330};
    case ChangeButton: return {100, 300, 180, 330};
    case UpButton: return {120, 338, 140, 360};
    case DownButton: return {120, 361, 140, 383};
    case OkButton: return {10, 390, 90, 420};
    case FoldButton: return {100, 390, 180, 420};
    case BetBox: return {65, 342, 113, 372};
    }
    return {0, 0, 0, 0};
}

// The parts of the table a screen reader names, in reading order: the line,
// the computer's five slots, the player's five, both hand names, both counters.
constexpr int TablePartCount = 15;
enum TablePart {
    SpeechPart = 0,
    FirstComputerSlotPart = 1,
    FirstPlayerSlotPart = 6,
    ComputerHandNamePart = 11,
    PlayerHandNamePart = 12,
    ComputerMoneyPart = 13,
    PlayerMoneyPart = 14,
};

// Where a part lies on the table. Any other number has the empty rectangle,
// which holds no point.
constexpr TableRect PartRect(int part) {
    if (part == SpeechPart) return SpeechRect;
    if (part >= FirstComputerSlotPart && part < FirstComputerSlotPart + SlotCount) {
        return SlotRect(part - FirstComputerSlotPart);
    }
    switch (part) {
    case ComputerHandNamePart: return StripRect(ComputerSide);
    case PlayerHandNamePart: return StripRect(PlayerSide);
    case ComputerMoneyPart: return MoneyRect(ComputerSide);
    case PlayerMoneyPart: return MoneyRect(PlayerSide);
    }
    return {0, 0, 0, 0};
}

// The part under table pixel (x, y), or -1.
constexpr int PartAt(int x, int y) {
    for (int part = 0; part < TablePartCount; ++part) {
        if (RectContains(PartRect(part), x, y)) return part;
    }
    return -1;
}

static_assert(PartAt(MoneyTensLeft, PlayerMoneyTop) == PlayerMoneyPart && PartRect(-1).right == 0 &&
                  PartRect(TablePartCount).right == 0,
              "an unknown part lies nowhere");

// The table picture in pieces, for a screen that shows it other than whole
// (the page on a phone, web/arrange.js): each piece holds some of the places
// above with the picture's own drawing round them.
// The grey bands behind the hand names and the counters, labels included.
constexpr int BandLeft = 186;
constexpr int BandHeight = 48;
constexpr int ComputerBandTop = 146;
constexpr int PlayerBandTop = 245;
constexpr TableRect BandRect(TableSide side) {
    const int top = side == ComputerSide ? ComputerBandTop : PlayerBandTop;
    return {BandLeft, top, VisibleTableWidth, top + BandHeight};
}
// The cloth kept round a row of cards.
constexpr int CardRowMargin = 8;
// The bubble round the speech with its shadow, from just under its top edge.
constexpr TableRect BubblePiece = {8, 110, 180, 294};
// The mouths over the whole bubble.
constexpr TableRect TalkPiece = {0, 0, 183, 296};
// Where the program keeps its controls: under the bubble, as wide as the
// mouths' column.
constexpr TableRect ControlCorner = {0, TalkPiece.bottom, 192, VisibleTableHeight};

constexpr bool RectHolds(const TableRect& outer, const TableRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}
constexpr bool PiecesHoldTheirPlaces() {
    bool held = RectHolds(BubblePiece, SpeechRect) && RectHolds(TalkPiece, BubblePiece);
    for (int at = 0; at < SideCount; ++at) {
        const auto side = static_cast<TableSide>(at);
        held = held && RectHolds(BandRect(side), StripRect(side)) &&
               RectHolds(BandRect(side), MoneyRect(side));
    }
    for (int id = StartButton; id < StartButton + ControlCount; ++id) {
        held = held && RectHolds(ControlCorner, ControlRect(static_cast<TableControl>(id)));
    }
    return held;
}
static_assert(PiecesHoldTheirPlaces(), "a piece of the picture cuts off one of its places");
