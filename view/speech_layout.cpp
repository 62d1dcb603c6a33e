// The speech's lines, broken as at 96 DPI, for drawing at any other scale.
#include "view/speech_layout.h"

namespace {

int TextWidth(HDC dc, const std::wstring& text, size_t from, size_t count) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str() + from, static_cast<int>(count), &size);
    return size.cx;
}

std::vector<std::wstring> GreedyLines(HDC dc, const std::wstring& text, int width) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        size_t at = start;
        do {
            size_t fit = at;
            while (fit < end && TextWidth(dc, text, at, fit + 1 - at) <= width) ++fit;
            if (fit == end) {
                lines.push_back(text.substr(at, end - at));
                break;
            }
            size_t cut = fit;
            const size_t space = text.rfind(L' ', fit);
            if (space != std::wstring::npos && space >= at && space < fit) cut = space;
            if (cut == at) cut = at + 1;  // not even one character fits: it goes alone
            lines.push_back(text.substr(at, cut - at));
            at = cut;
            while (at < end && text[at] == L' ') ++at;
        } while (at < end);
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
