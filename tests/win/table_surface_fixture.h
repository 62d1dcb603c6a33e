// The table's fonts and surface made for a plain host window, as the main
// window makes them, and taken down after each test.
#pragma once

#include <gtest/gtest.h>

#include "view/table_surface.h"
#include "win_test_support.h"

class TableSurfaceFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateHostWindow();
        ASSERT_NE(window, nullptr);
        CreateTableFonts(gTable);
        CreateTableSurface(gTable, window);
        ASSERT_NE(gTable.surface, nullptr);
    }
    void TearDown() override {
        DestroyTableSurface(gTable);
        DestroyWindow(window);
    }
    HWND window = nullptr;
};
