// The tooltips of the seven controls: each names the key that presses it.
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

}  // namespace

void AddControlTipsOnce(TableView& view) {
    if (view.tipsTried) return;
    view.tipsTried = true;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    view.tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                view.window, nullptr, nullptr, nullptr);
    if (view.tips == nullptr) return;
    for (int index = 0; index < ControlCount; ++index) {
        if (view.controls[index] == nullptr) continue;
        std::wstring text = WidenCp932(TipTexts[index]);
        // On the control itself: a disabled control gets no mouse, so no tip
        // pops up over the table where a button was just clicked and disabled.
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = view.window;
        tool.uId = reinterpret_cast<UINT_PTR>(view.controls[index]);
        tool.lpszText = text.data();
        SendMessageW(view.tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // Long enough lines for the bet box's hint without breaking them.
    SendMessageW(view.tips, TTM_SETMAXTIPWIDTH, 0, 600);
}
