// Playing from the keyboard: every game key in each step of a deal, keys for
// disabled controls and in the timed steps, the focus after a control is
// disabled under it, the tooltips and the clipboard text.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <imm.h>

#include <string>
#include <vector>

#include "cards/random.h"
#include "game/match_record.h"
#include "game/round.h"
#include "game/saved_game.h"
#include "game/table_words.h"
#include "main_window_fixture.h"
#include "shell/wide_text.h"
#include "view/table_keys.h"

namespace {

enum Step {
    Idle,
    Selecting,
    PlayerDraw,    // timed: the player's new cards are on their way
    ComputerTurn,  // timed
    BettingComputerDeals,
    BettingPlayerDeals,
    Showdown,           // timed
    SettledBeforeTick,  // timed
    Settled,
};

const char* StepName(Step step) {
    const char* const names[] = {"Idle",
                                 "Selecting",
                                 "PlayerDraw",
                                 "ComputerTurn",
                                 "BettingComputerDeals",
                                 "BettingPlayerDeals",
                                 "Showdown",
                                 "SettledBeforeTick",
                                 "Settled"};
    return names[step];
}

// Shift and Ctrl as GetKeyState will read them on this thread.
void SetKeyboardStateKey(int key, bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[key] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

// Everything a key could change.
struct Snapshot {
    std::string match;  // the whole game as saved: every field of the match, record included
    long long draws;
    std::vector<unsigned char> surface;
    std::wstring betBox;
    unsigned enabled;
    bool repaintAsked;
};

class KeyboardTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        SeedRandom(12345);
    }

    bool Key(WPARAM key, bool repeat = false, HWND to = nullptr) {
        MSG message{};
        message.hwnd = to != nullptr ? to : window;
        message.message = WM_KEYDOWN;
        message.wParam = key;
        message.lParam = repeat ? (1L << 30) | 1 : 1;
        return HandleTableKey(window, message);
    }
    bool Typed(wchar_t character) {
        MSG message{};
        message.hwnd = window;
        message.message = WM_CHAR;
        message.wParam = character;
        message.lParam = 1;
        return HandleTableKey(window, message);
    }
    // Runs the steps the timer would, without waiting for it.
    void Tick() {
        AdvanceRound(gMatch);
        KillTimer(window, RoundTimer);
    }
    void TickUntilEnabled(TableControl id) {
        for (int k = 0; k < 10 && !IsWindowEnabled(Control(id)); ++k) Tick();
        ASSERT_TRUE(IsWindowEnabled(Control(id)));
    }
    void Press(TableControl id) {
        PressControl(gMatch, id);
        KillTimer(window, RoundTimer);
    }

    void ReachStep(Step step) {
        if (step == BettingPlayerDeals) gMatch.playerIsDealer = 1;
        if (step == Idle) return;
        Press(StartButton);
        if (step == Selecting) return;
        Press(ChangeButton);
        if (step == PlayerDraw) return;
        Tick();
        if (step == ComputerTurn) return;
        TickUntilEnabled(OkButton);
        if (step == BettingComputerDeals || step == BettingPlayerDeals) return;
        // The computer deals in every step below: OK calls its bet.
        Press(OkButton);
        ASSERT_EQ(gMatch.roundState, RoundShowdown);
        if (step == Showdown) return;
        Tick();
        if (step == SettledBeforeTick) return;
        TickUntilEnabled(StartButton);
    }

    unsigned EnabledControls() const {
        unsigned bits = 0;
        for (int id = StartButton; id <= BetBox; ++id) {
            if (IsWindowEnabled(Control(id))) bits |= 1u << (id - StartButton);
        }
        return bits;
    }
    Snapshot Take() const {
        Snapshot shot{SaveGame(gMatch), CountRandomDraws(), {}, {}, EnabledControls(), false};
        BITMAP info;
        GetObjectW(gTable.surfaceBitmap, sizeof info, &info);
        shot.surface.resize(static_cast<size_t>(info.bmWidthBytes) * info.bmHeight);
        GetBitmapBits(gTable.surfaceBitmap, static_cast<LONG>(shot.surface.size()),
                      shot.surface.data());
        wchar_t box[16] = L"";
        GetWindowTextW(Control(BetBox), box, 16);
        shot.betBox = box;
        shot.repaintAsked = GetUpdateRect(window, nullptr, FALSE) != FALSE;
        return shot;
    }
    static void ExpectSame(const Snapshot& before, const Snapshot& after) {
        EXPECT_EQ(before.match, after.match) << "the state";
        EXPECT_EQ(before.draws, after.draws) << "the random stream";
        EXPECT_TRUE(before.surface == after.surface) << "the table's picture";
        EXPECT_EQ(before.betBox, after.betBox);
        EXPECT_EQ(before.enabled, after.enabled);
        EXPECT_FALSE(after.repaintAsked);
    }
};

TEST_F(KeyboardTest, KeysOfDisabledControlsAndOfTheTimedStepsDoNothing) {
    struct Case {
        Step step;
        std::vector<WPARAM> keys;
        std::wstring typed;
    };
    const std::vector<WPARAM> all = {VK_RETURN, '1',    '5',         VK_NUMPAD3, VK_UP,
                                     VK_DOWN,   VK_ADD, VK_SUBTRACT, 'F'};
    const Case cases[] = {
        {Idle, {'1', '3', VK_NUMPAD1, VK_UP, VK_DOWN, VK_ADD, VK_SUBTRACT, 'F'}, L"+-"},
        {Selecting, {VK_UP, VK_DOWN, VK_ADD, VK_SUBTRACT, 'F'}, L"+-"},
        {PlayerDraw, all, L"+-"},
        {ComputerTurn, all, L"+-"},
        {BettingComputerDeals, {'1', '4', VK_UP, VK_DOWN, VK_ADD, VK_SUBTRACT}, L"+-"},
        {BettingPlayerDeals, {'2', VK_NUMPAD5, 'F'}, L""},
        {Showdown, all, L"+-"},
        {SettledBeforeTick, all, L"+-"},
        {Settled, {'1', '2', VK_UP, VK_DOWN, 'F'}, L"+-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(StepName(c.step));
        TearDown();
        SetUp();
        ReachStep(c.step);
        ValidateRect(window, nullptr);
        const Snapshot before = Take();
        for (WPARAM key : c.keys) {
            SCOPED_TRACE(static_cast<int>(key));
            EXPECT_TRUE(Key(key)) << "a game key is used up, acting or not";
        }
        for (wchar_t character : c.typed) EXPECT_TRUE(Typed(character));
        ExpectSame(before, Take());
    }
}

TEST_F(KeyboardTest, EachKeyActsAsTheClickItStandsFor) {
    // Enter in each step that waits for the player.
    ASSERT_TRUE(Key(VK_RETURN));
    EXPECT_EQ(gMatch.roundState, RoundSelecting);
    // Digits toggle the card at that hand position, top row and keypad alike;
    // held down, a digit acts once.
    EXPECT_TRUE(Key('2'));
    EXPECT_TRUE(Key(VK_NUMPAD5));
    EXPECT_TRUE(Key('5', true));
    EXPECT_EQ(gMatch.deal.playerDiscards, (DiscardMask{0, 1, 0, 0, 1}));
    EXPECT_TRUE(Key('2'));
    EXPECT_EQ(gMatch.deal.playerDiscards, (DiscardMask{0, 0, 0, 0, 1}));
    EXPECT_FALSE(Key('6')) << "no sixth card";
    EXPECT_TRUE(Key(VK_RETURN, true)) << "a held Enter does not change";
    EXPECT_EQ(gMatch.roundState, RoundSelecting);
    EXPECT_TRUE(Key(VK_RETURN));
    EXPECT_EQ(gMatch.roundState, RoundPlayerDraw);
    KillTimer(window, RoundTimer);
    TickUntilEnabled(OkButton);
    // The computer deals: F folds.
    EXPECT_TRUE(Key('F'));
    EXPECT_EQ(gMatch.roundState, RoundSettled);
    KillTimer(window, RoundTimer);
    TickUntilEnabled(StartButton);

    // A deal the player deals: the arrows, keypad and typed +/- step the bet;
    // the arrows may repeat.
    TearDown();
    SetUp();
    ReachStep(BettingPlayerDeals);
    auto box = [&] {
        wchar_t text[16] = L"";
        GetWindowTextW(Control(BetBox), text, 16);
        return std::wstring(text);
    };
    EXPECT_EQ(box(), L"1");
    const struct {
        WPARAM key;
        wchar_t typed;
        bool repeat;
        const wchar_t* after;
    } steps[] = {
        {VK_UP, 0, false, L"2"}, {VK_UP, 0, true, L"3"},   {VK_ADD, 0, false, L"4"},
        {0, L'+', false, L"5"},  {VK_DOWN, 0, true, L"4"}, {VK_SUBTRACT, 0, false, L"3"},
        {0, L'-', false, L"2"},
    };
    for (const auto& step : steps) {
        EXPECT_TRUE(step.key != 0 ? Key(step.key, step.repeat) : Typed(step.typed));
        EXPECT_EQ(box(), step.after);
    }
    EXPECT_TRUE(Key(VK_RETURN));
    EXPECT_EQ(gMatch.playerBet, 2);
    EXPECT_NE(gMatch.roundState, RoundBetting);
}

TEST_F(KeyboardTest, OtherKeysAndOtherWindowsAreLeftAlone) {
    EXPECT_FALSE(Key('A'));
    EXPECT_FALSE(Key(VK_ESCAPE));
    EXPECT_FALSE(Typed(L'a'));
    HWND other = CreateHostWindow();
    EXPECT_FALSE(Key(VK_RETURN, false, other));
    EXPECT_EQ(gMatch.roundState, RoundIdle);
    DestroyWindow(other);
    // A key sent to a focused button counts as the table's.
    EXPECT_TRUE(Key(VK_RETURN, false, Control(StartButton)));
    EXPECT_EQ(gMatch.roundState, RoundSelecting);
}

TEST_F(KeyboardTest, TheFocusNeverStaysOnADisabledControl) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    // By mouse: the clicked Start takes the focus, then gives it to the window.
    SetFocus(Control(StartButton));
    SendMessageW(Control(StartButton), BM_CLICK, 0, 0);
    PumpMessages(50);
    EXPECT_EQ(GetFocus(), window);
    EXPECT_FALSE(gTable.keyboardCues);

    // By keyboard: Tab reaches the enabled buttons only, in order, and round.
    TearDown();
    SetUp();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetFocus(window);
    ReachStep(BettingPlayerDeals);
    // In the order the buttons were made: OK, then ▲ and ▼.
    const int order[] = {OkButton, UpButton, DownButton, OkButton};
    for (int id : order) {
        EXPECT_TRUE(Key(VK_TAB));
        EXPECT_EQ(GetFocus(), Control(id)) << id;
    }
    SetKeyboardStateKey(VK_SHIFT, true);
    EXPECT_TRUE(Key(VK_TAB));
    SetKeyboardStateKey(VK_SHIFT, false);
    EXPECT_EQ(GetFocus(), Control(DownButton));
    EXPECT_TRUE(Key(VK_TAB));
    EXPECT_EQ(GetFocus(), Control(OkButton));
    // Space on the focused OK: the button presses itself; the focus moves off.
    SendMessageW(Control(OkButton), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(Control(OkButton), WM_KEYUP, VK_SPACE, 0xC0000001);
    PumpMessages(50);
    KillTimer(window, RoundTimer);
    EXPECT_NE(gMatch.roundState, RoundBetting);
    EXPECT_EQ(GetFocus(), window) << "no button is left enabled";
    // Once settled, Start is enabled; Tab then Space starts, and the focus
    // follows to Change, enabled right after Start was disabled.
    TickUntilEnabled(StartButton);
    EXPECT_TRUE(Key(VK_TAB));
    ASSERT_EQ(GetFocus(), Control(StartButton));
    SendMessageW(Control(StartButton), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(Control(StartButton), WM_KEYUP, VK_SPACE, 0xC0000001);
    PumpMessages(50);
    EXPECT_EQ(gMatch.roundState, RoundSelecting);
    EXPECT_EQ(GetFocus(), Control(ChangeButton));
}

TEST_F(KeyboardTest, CtrlCCopiesTheTableAsUnicodeText) {
    ReachStep(Selecting);
    Key('3');
    SetKeyboardStateKey(VK_CONTROL, true);
    EXPECT_FALSE(Key('F')) << "Ctrl+F is no fold";
    EXPECT_TRUE(Key('C'));
    SetKeyboardStateKey(VK_CONTROL, false);
    EXPECT_FALSE(Key('C')) << "C alone is no key of the table";
    ASSERT_TRUE(OpenClipboard(window));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring text;
    if (data != nullptr) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    EXPECT_EQ(
        text,
        WidenCp932(
            (DescribeTable(TableShown()) + "\r\n" + MatchRecordWords(gMatch.record)).c_str()));
    const std::wstring marked =
        WidenCp932(CardWords(gMatch.deal.playerHand[2]).c_str()) + WidenCp932("（選択中）");
    EXPECT_NE(text.find(marked), std::wstring::npos);
    EXPECT_EQ(text.find(WidenCp932("それではチェンジしたいカードをクリックしてくれたまえ\r\n\r\n")),
              0u);
}

TEST_F(KeyboardTest, TooltipsNameTheKeysAndTheWindowTakesNoInputMethod) {
    // None until the pointer first reaches the window, here over a button.
    EXPECT_EQ(gTable.tips, nullptr);
    HWND start = Control(StartButton);
    SendMessageW(start, WM_SETCURSOR, reinterpret_cast<WPARAM>(start),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    ASSERT_NE(gTable.tips, nullptr);
    HWND made = gTable.tips;
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(gTable.tips, made);
    EXPECT_EQ(SendMessageW(gTable.tips, TTM_GETTOOLCOUNT, 0, 0), ControlCount);
    const struct {
        TableControl id;
        const char* names;
    } tips[] = {{StartButton, "Enter"}, {ChangeButton, "Enter"}, {OkButton, "Enter"},
                {FoldButton, "F キー"}, {UpButton, "↑"},         {DownButton, "↓"},
                {BetBox, "▲"}};
    for (const auto& tip : tips) {
        wchar_t text[160] = L"";
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(Control(tip.id));
        tool.lpszText = text;
        SendMessageW(gTable.tips, TTM_GETTEXTW, 160, reinterpret_cast<LPARAM>(&tool));
        EXPECT_NE(std::wstring(text).find(WidenCp932(tip.names)), std::wstring::npos) << tip.id;
    }
    EXPECT_EQ(ImmGetContext(window), nullptr);
    EXPECT_EQ(ImmGetContext(Control(StartButton)), nullptr);
}

}  // namespace
