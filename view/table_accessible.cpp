// The table for screen readers: each part named from what the table shows,
// and the opponent's new lines announced as they come.
#include "view/table_accessible.h"

#include <oleacc.h>

#include <string>

#include "game/table_words.h"
#include "shell/late_bound.h"
#include "shell/wide_text.h"
#include "view/table_surface.h"

namespace {

// COM and the accessibility DLLs are loaded when a client first asks for the
// table, not at every start: most players never run a screen reader.
struct AccessibilityFunctions {
    decltype(&CoInitializeEx) coInitializeEx =
        LateBound<decltype(&CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
    decltype(&CoUninitialize) coUninitialize =
        LateBound<decltype(&CoUninitialize)>(L"ole32.dll", "CoUninitialize");
    decltype(&CreateStdAccessibleObject) createStandard =
        LateBound<decltype(&CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
    decltype(&AccessibleObjectFromWindow) objectFromWindow =
        LateBound<decltype(&AccessibleObjectFromWindow)>(L"oleacc.dll",
                                                         "AccessibleObjectFromWindow");
    decltype(&LresultFromObject) lresultFromObject =
        LateBound<decltype(&LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
    decltype(&SysAllocString) allocString =
        LateBound<decltype(&SysAllocString)>(L"oleaut32.dll", "SysAllocString");
    bool Complete() const {
        return coInitializeEx && coUninitialize && createStandard && objectFromWindow &&
               lresultFromObject && allocString;
    }
};

const AccessibilityFunctions& Accessibility() {
    static const AccessibilityFunctions functions;
    return functions;
}

bool gComStarted = false;  // by the first request, for this thread, until the program ends

// What VariantInit does, without loading oleaut32 for it.
void EmptyVariant(VARIANT* variant) { variant->vt = VT_EMPTY; }

constexpr long LineChild = SpeechPart + 1;

bool IsPart(long child) { return child >= 1 && child <= TablePartCount; }

HRESULT AnswerText(const std::string& cp932, BSTR* out) {
    *out = Accessibility().allocString(WidenCp932(cp932.c_str()).c_str());
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Reads gTable whenever it is asked, so it never goes stale; one per request.
class TableAccessible : public IAccessible {
public:
    explicit TableAccessible(HWND window) : window(window) {
        Accessibility().createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard));
    }
    virtual ~TableAccessible() {
        if (standard != nullptr) standard->Release();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (out == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: the interface is used directly, not through type information.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        *parent = nullptr;
        return standard != nullptr ? standard->get_accParent(parent) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (count == nullptr) return E_POINTER;
        *count = AccessibleChildCount;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        const long id = ChildId(child);
        if (IsPart(id)) return S_FALSE;  // simple elements, no objects of their own
        if (id < AccessibleControlChildFirst || id > AccessibleChildCount) return E_INVALIDARG;
        HWND control = gTable.controls[id - AccessibleControlChildFirst];
        if (control == nullptr) return S_FALSE;
        return Accessibility().objectFromWindow(control, static_cast<DWORD>(OBJID_WINDOW),
                                                IID_IDispatch, reinterpret_cast<void**>(out));
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (name == nullptr) return E_POINTER;
        *name = nullptr;
        const long id = ChildId(child);
        if (id == CHILDID_SELF) {
            wchar_t title[64] = L"";
            GetWindowTextW(window, title, 64);
            *name = Accessibility().allocString(title);
            return S_OK;
        }
        if (!IsPart(id)) return E_INVALIDARG;
        return AnswerText(TablePartName(TableShown(), static_cast<int>(id - 1)), name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (value == nullptr) return E_POINTER;
        *value = nullptr;
        const long id = ChildId(child);
        if (id == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
        if (!IsPart(id)) return E_INVALIDARG;
        switch (id - 1) {
        case ComputerHandNamePart:
            return AnswerText(BareHandName(TableShown(), ComputerSide), value);
        case PlayerHandNamePart: return AnswerText(BareHandName(TableShown(), PlayerSide), value);
        default: return DISP_E_MEMBERNOTFOUND;
        }
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return NothingFor(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (role == nullptr) return E_POINTER;
        EmptyVariant(role);
        const long id = ChildId(child);
        if (id != CHILDID_SELF && !IsPart(id)) return E_INVALIDARG;
        role->vt = VT_I4;
        if (id == CHILDID_SELF) {
            role->lVal = ROLE_SYSTEM_CLIENT;
        } else if (id - 1 >= FirstComputerSlotPart && id - 1 < ComputerHandNamePart) {
            role->lVal = ROLE_SYSTEM_GRAPHIC;
        } else {
            role->lVal = ROLE_SYSTEM_STATICTEXT;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        if (state == nullptr) return E_POINTER;
        EmptyVariant(state);
        const long id = ChildId(child);
        if (id == CHILDID_SELF && standard != nullptr) return standard->get_accState(child, state);
        if (!IsPart(id)) return E_INVALIDARG;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_READONLY;
        const int slot = static_cast<int>(id - 1 - FirstComputerSlotPart);
        if (SlotMarked(TableShown(), slot)) state->lVal |= STATE_SYSTEM_SELECTED;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return NothingFor(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file != nullptr) *file = nullptr;
        if (topic != nullptr) *topic = 0;
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return NothingFor(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        EmptyVariant(focus);
        return standard != nullptr ? standard->get_accFocus(focus) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr) return E_POINTER;
        EmptyVariant(selection);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        return NothingFor(child, out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
            return E_POINTER;
        }
        const long id = ChildId(child);
        if (id == CHILDID_SELF && standard != nullptr) {
            return standard->accLocation(left, top, width, height, child);
        }
        if (!IsPart(id)) return E_INVALIDARG;
        const TableRect table = PartRect(static_cast<int>(id - 1));
        POINT corner{ScaleToDevice(table.left, gTable.dpi), ScaleToDevice(table.top, gTable.dpi)};
        POINT farCorner{ScaleToDevice(table.right, gTable.dpi),
                        ScaleToDevice(table.bottom, gTable.dpi)};
        ClientToScreen(window, &corner);
        ClientToScreen(window, &farCorner);
        *left = corner.x;
        *top = corner.y;
        *width = farCorner.x - corner.x;
        *height = farCorner.y - corner.y;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT* end) override {
        if (end == nullptr) return E_POINTER;
        EmptyVariant(end);
        return DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
        if (child == nullptr) return E_POINTER;
        EmptyVariant(child);
        POINT point{x, y};
        ScreenToClient(window, &point);
        const int tableX = DeviceToTable(point.x, gTable.dpi);
        const int tableY = DeviceToTable(point.y, gTable.dpi);
        const int part = PartAt(tableX, tableY);
        if (part >= 0) {
            child->vt = VT_I4;
            child->lVal = part + 1;
            return S_OK;
        }
        return standard != nullptr ? standard->accHitTest(x, y, child) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    static long ChildId(const VARIANT& child) {
        return child.vt == VT_I4 ? child.lVal : -1;  // -1: no child of this object
    }
    static HRESULT NothingFor(const VARIANT& child, BSTR* out) {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        const long id = ChildId(child);
        if (id != CHILDID_SELF && !IsPart(id)) return E_INVALIDARG;
        return S_FALSE;
    }

    LONG references = 1;
    HWND window;
    IAccessible* standard = nullptr;
};

}  // namespace

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) {
        return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
    }
    if (!Accessibility().Complete()) return DefWindowProcW(window, WM_GETOBJECT, wParam, lParam);
    if (!gComStarted) {
        gComStarted = SUCCEEDED(Accessibility().coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    }
    TableAccessible* object = new TableAccessible(window);
    const LRESULT answer = Accessibility().lresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();  // LresultFromObject holds its own reference
    return answer;
}

void AnnounceSpeech(HWND window) {
    if (window == nullptr) return;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, LineChild);
    NotifyWinEvent(EVENT_SYSTEM_ALERT, window, OBJID_CLIENT, LineChild);
}

void EndAccessibility() {
    if (gComStarted) Accessibility().coUninitialize();
    gComStarted = false;
}
