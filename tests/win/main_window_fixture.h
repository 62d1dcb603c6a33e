// A real main window for each test, with a settings file already beside the
// program so no first-run dialog comes up; shared by the Win32 suites.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "view/main_window.h"
#include "win_test_support.h"

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        iniPath = ExecutableFolderPath() + L"\\bluffwick.ini";
        WriteWholeFile(iniPath, "[ShellLink]\r\nSTARTUP=0\r\nDESKTOP=0\r\nSTARTMENU=0\r\n");
        static bool registered = false;
        if (!registered) registered = RegisterMainWindowClass(GetModuleHandleW(nullptr)) != 0;
        ASSERT_TRUE(registered);
        window = CreateMainWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
        RemovePath(iniPath);
    }
    HWND Control(int id) const { return GetDlgItem(window, id); }
    HWND window = nullptr;
    std::wstring iniPath;
};
