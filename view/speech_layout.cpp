// The speech's lines, broken as at 96 DPI, for drawing at any other scale.
#include "view/speech_layout.h"

#include <usp10.h>

#include "shell/late_bound.h"

namespace {

// Where a line may end inside `text`: before each character ScriptBreak marks
// as a soft break (after a space, between Japanese characters, but never
// before a mark such as "、"). Wine's DrawText asks it the same way.
std::vector<SCRIPT_LOGATTR> SoftBreaks(const wchar_t* text, int count) {
    std::vector<SCRIPT_LOGATTR> marks(static_cast<size_t>(count));
    SCRIPT_ANALYSIS analysis{};
    // Only a scaled table breaks lines itself: Uniscribe is loaded then, and
    // from usp10.dll, where every Windows has it.
    static const auto scriptBreak = LateBound<decltype(&ScriptBreak)>(L"usp10.dll", "ScriptBreak");
    // Without it no break is marked; the drawing check then finds the lines
    // wrong and DrawText wraps the speech itself.
    if (scriptBreak != nullptr) scriptBreak(text, count, &analysis, marks.data());
    return marks;
}

std::vector<std::wstring> GreedyLines(HDC dc, const std::wstring& text, int width) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        size_t at = start;
        for (;;) {
            const wchar_t* rest = text.c_str() + at;
            const int count = static_cast<int>(end - at);
            int fit = 0;
            SIZE size{};
            GetTextExtentExPointW(dc, rest, count, width, &fit, nullptr, &size);
            if (fit >= count) {
                lines.push_back(text.substr(at, end - at));
                break;
            }
            // The last soft break up to the first character that does not fit,
            // even where a space comes earlier.
            const std::vector<SCRIPT_LOGATTR> marks = SoftBreaks(rest, count);
            int cut = fit;
            while (cut > 0 && !marks[static_cast<size_t>(cut)].fSoftBreak) --cut;
            if (cut == 0) {
                // No break fits: the word runs on to the next space, clipped.
                cut = fit;
                while (cut < count && rest[cut] != L' ') ++cut;
            }
            lines.push_back(text.substr(at, static_cast<size_t>(cut)));
            at += static_cast<size_t>(cut);
            if (at < end && text[at] == L' ') ++at;  // one space at the break is dropped
            if (at == end) {
                // A break right before "\n" still leaves DrawText an empty line.
                if (end < text.size()) lines.emplace_back();
                break;
            }
        }
        start = end + 1;
    }
    return lines;
}

// The speech box drawn at 96 DPI, as pixels.
std::vector<DWORD> Render(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    GdiFlush();
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

}  // namespace

std::vector<std::wstring> BreakSpeechLines(const std::wstring& text, HFONT font96, int width,
                                           int height) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font96);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    std::vector<std::wstring> lines = GreedyLines(dc, text, width);

    RECT box = {0, 0, width, height};
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_WORDBREAK);
    const std::vector<DWORD> byDrawText = Render(dc, bitmap, width, height);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    for (size_t k = 0; k < lines.size(); ++k) {
        ExtTextOutW(dc, 0, static_cast<int>(k) * metrics.tmHeight, ETO_CLIPPED, &box,
                    lines[k].c_str(), static_cast<UINT>(lines[k].size()), nullptr);
    }
    const bool same = Render(dc, bitmap, width, height) == byDrawText;

    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (!same) lines.clear();
    return lines;
}
