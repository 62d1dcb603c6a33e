// The browser page cannot wrap the speech as DrawText does, so it draws the lines
// listed in web/speech_lines.txt. This checks that file against the 96-DPI table
// for every text the bubble can show.
//
// To regenerate it after a change to the texts, the speech font or the bubble:
//   cd build/win && ctest -R SpeechLinesTest --output-on-failure
// then copy the speech_lines.txt the test leaves beside bluffwick_win_tests.exe
// (build/win/tests/win) over web/speech_lines.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "game/dialogue.h"
#include "game/layout.h"
#include "game/round.h"
#include "shell/wide_text.h"
#include "view/speech_layout.h"
#include "view/table_surface.h"
#include "table_surface_fixture.h"
#include "win_test_support.h"

namespace {

std::string Utf8(const std::wstring& wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

// The committed file through Wine's Z: drive, which maps the Unix root.
std::wstring CommittedPath() {
    std::wstring path = L"Z:";
    for (const char* c = BLUFFWICK_SPEECH_LINES; *c != '\0'; ++c) path += *c == '/' ? L'\\' : *c;
    return path;
}

// Every text the bubble can show, once each, in Shift-JIS: the dialogue with
// each number the game fills in, then the greeting of every hour.
std::vector<std::string> SpeechTexts() {
    std::vector<std::string> texts;
    auto add = [&texts](const std::string& text) {
        if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(text);
    };
    auto addNumbers = [&add](DialogueLine line, int from, int to) {
        for (int number = from; number <= to; ++number) {
            char text[128];
            std::snprintf(text, sizeof text, DialogueText(line), number);
            add(text);
        }
    };
    for (int k = 0; k < DialogueLineCount; ++k) {
        const auto line = static_cast<DialogueLine>(k);
        switch (line) {
        case ComputerExchangesLine: addNumbers(line, 1, 5); break;  // cards drawn
        case ComputerBetsBigLine: addNumbers(line, 5, 10); break;   // a dealer's bet of 5 up
        case ComputerBetsLine: addNumbers(line, 1, 10); break;      // any dealer's bet
        default:
            // A line that takes a number needs its case above.
            EXPECT_EQ(std::string(DialogueText(line)).find('%'), std::string::npos) << k;
            add(DialogueText(line));
        }
    }
    for (int hour = 0; hour < 24; ++hour) add(MakeGreeting(hour));
    return texts;
}

using SpeechLinesTest = TableSurfaceFixture;

TEST_F(SpeechLinesTest, TheWebTableListsTheLinesOfEverySpeechAsDrawnAt96Dpi) {
    ASSERT_EQ(gTable.dpi, BaseDpi);
    ASSERT_EQ(GetDeviceCaps(gTable.surface, LOGPIXELSY), BaseDpi);
    HGDIOBJ old = SelectObject(gTable.surface, gTable.speechFont);
    TEXTMETRICW metrics{};
    ASSERT_TRUE(GetTextMetricsW(gTable.surface, &metrics));
    SelectObject(gTable.surface, old);

    // DrawText without DT_EXTERNALLEADING steps by tmHeight, as BreakSpeechLines
    // checks by drawing.
    char header[160];
    std::snprintf(header, sizeof header, "# font height %ld ascent %ld line %ld\n",
                  metrics.tmHeight, metrics.tmAscent, metrics.tmHeight);
    std::string expected = "# The speech as the 96-DPI table breaks it in its " +
                           std::to_string(SpeechRight - SpeechLeft) + " x " +
                           std::to_string(SpeechBottom - SpeechTop) +
                           " box: the text (code page 932 as UTF-8, \\n for its breaks), then each "
                           "line, TAB apart.\n" +
                           header;
    for (const std::string& text : SpeechTexts()) {
        const std::wstring wide = WidenCp932(text.c_str());
        const std::vector<std::wstring> lines = BreakSpeechLines(
            wide, gTable.speechFont, SpeechRight - SpeechLeft, SpeechBottom - SpeechTop);
        std::string shown = Utf8(wide);
        for (size_t at = shown.find('\n'); at != std::string::npos; at = shown.find('\n', at))
            shown.replace(at, 1, "\\n");
        // Empty: the greedy lines did not draw as DrawText does.
        EXPECT_FALSE(lines.empty()) << shown;
        std::string entry = shown;
        for (const std::wstring& line : lines) entry += "\t" + Utf8(line);
        expected += entry + "\n";
    }

    const std::string committed = ReadWholeFile(CommittedPath());
    if (committed != expected) {
        const std::wstring fresh = ExecutableFolderPath() + L"\\speech_lines.txt";
        WriteWholeFile(fresh, expected);
        ADD_FAILURE()
            << "web/speech_lines.txt differs from the table; the right content, written to "
            << Utf8(fresh) << ", is:\n"
            << expected;
    }
}

}  // namespace
