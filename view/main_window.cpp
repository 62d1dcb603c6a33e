// The main window: class, creation sequence, the seven controls, the message
// routing to the game, the menu commands and the About box.
#include "view/main_window.h"

#include <shellapi.h>

#include "game/input.h"
#include "game/match_record.h"
#include "game/round.h"
#include "game/table.h"
#include "res/resource.h"
#include "shell/late_bound.h"
#include "shell/settings.h"
#include "shell/wide_text.h"
#include "view/card_deck.h"
#include "view/control_tips.h"
#include "view/dpi_scale.h"
#include "view/table_accessible.h"
#include "view/table_keys.h"
#include "view/table_surface.h"

HINSTANCE gInstance = nullptr;
MatchState gMatch;

namespace {

enum ControlFont { NoFont, BetBoxFontChoice, ButtonFontChoice };

struct ControlRow {
    TableControl id;
    const char* className;
    const char* text;  // Shift-JIS
    DWORD style;
    ControlFont font;
};

// Created in this order, each at its ControlRect; Tab moves among the
// buttons, not into the bet box.
// The OK caption is full-width Ｏ, two spaces, full-width Ｋ.
const ControlRow ControlRows[] = {
    {BetBox, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_DISABLED | ES_NUMBER | ES_READONLY | ES_RIGHT,
     BetBoxFontChoice},
    {StartButton, "BUTTON", "スタート", WS_CHILD | WS_TABSTOP | WS_VISIBLE, ButtonFontChoice},
    {ChangeButton, "BUTTON", "チェンジ", WS_CHILD | WS_TABSTOP | WS_VISIBLE | WS_DISABLED,
     ButtonFontChoice},
    {OkButton, "BUTTON", "Ｏ  Ｋ", WS_CHILD | WS_TABSTOP | WS_VISIBLE | WS_DISABLED,
     ButtonFontChoice},
    {FoldButton, "BUTTON", "おりる", WS_CHILD | WS_TABSTOP | WS_VISIBLE | WS_DISABLED,
     ButtonFontChoice},
    {UpButton, "BUTTON", "▲", WS_CHILD | WS_TABSTOP | WS_VISIBLE | WS_DISABLED, NoFont},
    {DownButton, "BUTTON", "▼", WS_CHILD | WS_TABSTOP | WS_VISIBLE | WS_DISABLED, NoFont},
};

int Device(int value) { return ScaleToDevice(value, gTable.dpi); }

void SetControlFont(const ControlRow& row, HWND control) {
    if (row.font == NoFont) return;
    HFONT font = row.font == BetBoxFontChoice ? gTable.betBoxFont : gTable.buttonFont;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void CreateControls(HWND window) {
    for (const ControlRow& row : ControlRows) {
        const TableRect place = ControlRect(row.id);
        HWND control = CreateWindowExW(
            0, WidenCp932(row.className).c_str(), WidenCp932(row.text).c_str(), row.style,
            Device(place.left), Device(place.top), Device(place.right) - Device(place.left),
            Device(place.bottom) - Device(place.top), window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), gInstance, nullptr);
        gTable.controls[row.id - StartButton] = control;
        SetControlFont(row, control);
        if (row.id == BetBox) WriteBetBox(1);
    }
}

// After a change of DPI: the controls at their new places, with the new fonts.
void PlaceControls() {
    for (const ControlRow& row : ControlRows) {
        HWND control = gTable.controls[row.id - StartButton];
        const TableRect place = ControlRect(row.id);
        SetWindowPos(control, nullptr, Device(place.left), Device(place.top),
                     Device(place.right) - Device(place.left),
                     Device(place.bottom) - Device(place.top), SWP_NOZORDER | SWP_NOACTIVATE);
        SetControlFont(row, control);
    }
}

void FitClientToTable(HWND window) {
    SizeClientArea(window, Device(VisibleTableWidth), Device(VisibleTableHeight), gTable.dpi);
}

LRESULT CreateTable(HWND window) {
    gMatch = MatchState{};
    gTable.window = window;
    // An incomplete table would leave the game drawing nothing: no window then.
    if (!InstallTable(&Win32TableOps(), &gTable)) return -1;
    RunSettingsStartup(window, SettingsFileName);
    ChooseDeckAtStart();
    gTable.dpi = WindowDpi(window);
    CreateTableFonts(gTable);
    CreateTableSurface(gTable, window);
    CreateControls(window);
    ShowDeckInMenu(window);
    TurnOffInputMethod(window);
    // At 96 DPI the window keeps its 640 x 480; elsewhere the client area is
    // the 96-DPI one scaled, whatever that DPI's caption and menu take.
    if (gTable.dpi != BaseDpi) FitClientToTable(window);
    OpenTable(gMatch);
    return 0;
}

// A click's device pixel, mapped back to the table the game thinks in.
void OnLeftButtonDown(LPARAM position) {
    int x = LOWORD(position);
    int y = HIWORD(position);
    if (gTable.dpi != BaseDpi) {
        x = DeviceToTable(x, gTable.dpi);
        y = DeviceToTable(y, gTable.dpi);
    }
    const int card = FindPlayerSlot(x, y);
    if (card >= 0) TakeInput(gMatch, Mark(card));
}

// Moved to a monitor of another DPI: the same table, drawn again at the new
// scale; no step of the game runs again.
void OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam) {
    const int dpi = LOWORD(wParam);
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    RebuildTableSurface(gTable, dpi);
    PlaceControls();
    if (suggested != nullptr) {
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    FitClientToTable(window);
    InvalidateRect(window, nullptr, FALSE);
}

// The shell's "open" on a file or an address; shell32 is loaded on the first.
void OpenWithShell(HWND window, const wchar_t* what, const wchar_t* folder) {
    static const auto shellExecute =
        LateBound<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    if (shellExecute != nullptr)
        shellExecute(window, L"open", what, nullptr, folder, SW_SHOWNORMAL);
}

void HomePageCommand(HWND window) { OpenWithShell(window, HomePageAddress, nullptr); }

void RunCommand(HWND window, int id) {
    switch (id) {
    case IDM_EXIT: SendMessageW(window, WM_CLOSE, 0, 0); break;
    case IDM_HELP: HelpCommand(window); break;
    case IDM_ABOUT:
        DialogBoxParamW(gInstance, MAKEINTRESOURCEW(IDD_ABOUT), window, AboutDlgProc, 0);
        break;
    case IDM_HOME_PAGE: HomePageCommand(window); break;
    case IDM_FOUR_COLOUR_DECK: ToggleFourColourDeck(window); break;
    case IDM_MATCH_RECORD: ShowMatchRecord(window); break;
    default: TakeInput(gMatch, GameInput{PressInput, id}); break;
    }
}

}  // namespace

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    gInstance = instance;
    std::wstring className = WidenCp932(MainWindowClassName);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    // The title bar's icon from the icon's own small image, not the 32 x 32 shrunk.
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM),
                                                        IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    if (windowClass.hIconSm == nullptr) windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    windowClass.hbrBackground = CreateSolidBrush(Colour(TableGreen));
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    windowClass.lpszClassName = className.c_str();
    return RegisterClassExW(&windowClass);
}

HWND CreateMainWindow() {
    return CreateWindowExW(0, WidenCp932(MainWindowClassName).c_str(),
                           WidenCp932(ProgramName).c_str(), MainWindowStyle, CW_USEDEFAULT,
                           CW_USEDEFAULT, MainWindowWidth, MainWindowHeight, nullptr, nullptr,
                           gInstance, nullptr);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return CreateTable(window);
    case WM_DESTROY:
        DestroyTableSurface(gTable);
        KillTimer(window, RoundTimer);
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: PaintFromSurface(gTable, window); return 0;
    case WM_COMMAND: RunCommand(window, LOWORD(wParam)); return 0;
    case WM_TIMER: AdvanceRound(gMatch); return 0;
    case WM_LBUTTONDOWN: OnLeftButtonDown(lParam); return 0;
    case WM_DPICHANGED: OnDpiChanged(window, wParam, lParam); return 0;
    case WM_RBUTTONDOWN: return 0;
    case WM_GETOBJECT: return AnswerGetObject(window, wParam, lParam);
    // Sent for the pointer over the window or any control (a control passes it
    // up first), before the mouse move the tips must see.
    case WM_SETCURSOR:
        AddControlTipsOnce(gTable);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_FOCUSNEXTBUTTON: FocusNextButton(window, static_cast<int>(wParam)); return 0;
    case WM_CTLCOLORSTATIC: return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    // Sent to every top-level window when a setting changes, high contrast
    // among them; the table follows at once.
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        FollowSystemContrast(window);
        return DefWindowProcW(window, message, wParam, lParam);
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: CenterOnDesktop(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

void ShowMatchRecord(HWND window) {
    DialogBoxParamW(gInstance, MAKEINTRESOURCEW(IDD_MATCH_RECORD), window, MatchRecordDlgProc, 0);
}

INT_PTR CALLBACK MatchRecordDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        CenterOnDesktop(dialog);
        HWND text = GetDlgItem(dialog, IDC_RECORD_TEXT);
        SetWindowTextW(text, WidenCp932(MatchRecordWords(gMatch.record).c_str()).c_str());
        // The caret at the end, on the newest deal, and nothing selected: a
        // screen reader reads the text, not "selected".
        SetFocus(text);
        const LRESULT length = GetWindowTextLengthW(text);
        SendMessageW(text, EM_SETSEL, length, length);
        SendMessageW(text, EM_SCROLLCARET, 0, 0);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

void HelpCommand(HWND window) {
    wchar_t folder[MAX_PATH];
    // A folder whose path does not fit is not guessed at: the command does nothing.
    if (!ExecutableFolder(folder, MAX_PATH)) return;
    OpenWithShell(window, WidenCp932(HelpFileName).c_str(), folder);
}
