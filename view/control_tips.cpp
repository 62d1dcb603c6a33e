#include "view/control_tips.h"

#include <commctrl.h>

#include "shell/wide_text.h"

namespace {

// By TableControl - StartButton. The captions stay as they are; the keys are
// told here.
const char* const TipTexts[ControlCount] = {
    "スタート（Enter キー）",
    "チェンジ（Enter キー）　カードは 1～5 キーでも選べます",
    "賭け金を 1 ドル上げる（↑ キー、+ キー）",
    "賭け金を 1 ドル下げる（↓ キー、- キー）",
    "Ｏ  Ｋ（Enter キー）",
    "おりる（F キー）",
    "賭け金は ▲ / ▼ のボタン（または ↑ / ↓ キー）で決めます",
};

RECT ControlRectInWindow(const TableView& view, HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, view.window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TOOLINFOW WindowTool(const TableView& view, int index) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = view.window;
    tool.uId = static_cast<UINT_PTR>(StartButton + index);
    tool.rect = ControlRectInWindow(view, view.controls[index]);
    return tool;
}

}  // namespace

void AddControlTips(TableView& view) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    view.tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                view.window, nullptr, nullptr, nullptr);
    if (view.tips == nullptr) return;
    for (int index = 0; index < ControlCount; ++index) {
        if (view.controls[index] == nullptr) continue;
        std::wstring text = WidenCp932(TipTexts[index]);
        TOOLINFOW onControl{};
        onControl.cbSize = sizeof onControl;
        onControl.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        onControl.hwnd = view.window;
        onControl.uId = reinterpret_cast<UINT_PTR>(view.controls[index]);
        onControl.lpszText = text.data();
        SendMessageW(view.tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&onControl));
        TOOLINFOW inWindow = WindowTool(view, index);
        inWindow.lpszText = text.data();
        SendMessageW(view.tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&inWindow));
    }
    // Long enough lines for the bet box's hint without breaking them.
    SendMessageW(view.tips, TTM_SETMAXTIPWIDTH, 0, 600);
}

void PlaceControlTips(const TableView& view) {
    if (view.tips == nullptr) return;
    for (int index = 0; index < ControlCount; ++index) {
        if (view.controls[index] == nullptr) continue;
        TOOLINFOW tool = WindowTool(view, index);
        SendMessageW(view.tips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}
