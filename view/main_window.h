// The main window: its class, creation, controls, menu commands and About box.
#pragma once

#include <windows.h>

#include "game/match_state.h"
#include "res/version.h"
#include "shell/desktop.h"

// The author's home page, opened by the Help menu's last item.
constexpr wchar_t HomePageAddress[] = L"" BLUFFWICK_HOME_PAGE;
constexpr char MainWindowClassName[] = "Parent Window";
constexpr char HelpFileName[] = "説明.txt";
constexpr int MainWindowWidth = 640;
constexpr int MainWindowHeight = 480;
constexpr DWORD MainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

extern HINSTANCE gInstance;
extern MatchState gMatch;

// Registers "Parent Window" with MainWndProc, the program icon and the menu.
ATOM RegisterMainWindowClass(HINSTANCE instance);
// Creates the (not yet visible) main window; creation runs the settings step,
// builds the table and the controls and greets the player.
HWND CreateMainWindow();
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens 説明.txt from the executable's folder with the shell's "open".
void HelpCommand(HWND window);
// The record of the match's deals in a modal dialog, as it stands when opened.
void ShowMatchRecord(HWND window);
INT_PTR CALLBACK MatchRecordDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
