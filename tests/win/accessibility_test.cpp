// The table's accessible object, read in-process as a screen reader would,
// and the events that announce each new line of the opponent.
#include <gtest/gtest.h>
#include <windows.h>

#include <oleacc.h>

#include <string>
#include <vector>

#include "game/round.h"
#include "game/table_words.h"
#include "shell/wide_text.h"
#include "view/table_accessible.h"
#include "view/table_surface.h"
#include "main_window_fixture.h"

namespace {

VARIANT Child(long id) {
    VARIANT child;
    VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring Name(IAccessible* object, long id) {
    BSTR name = nullptr;
    if (object->get_accName(Child(id), &name) != S_OK || name == nullptr) return L"<none>";
    std::wstring text(name);
    SysFreeString(name);
    return text;
}

std::wstring Words(const std::string& cp932) { return WidenCp932(cp932.c_str()); }

class AccessibilityTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_EQ(
            AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible), reinterpret_cast<void**>(&table)),
            S_OK);
        ASSERT_NE(table, nullptr);
    }
    void TearDown() override {
        if (table != nullptr) table->Release();
        MainWindowFixture::TearDown();
        CoUninitialize();
    }
    // Every part's name, as the game's own data says it should read.
    void ExpectParts(const std::vector<std::wstring>& expected) {
        for (int part = 0; part < TablePartCount; ++part) {
            SCOPED_TRACE(part);
            EXPECT_EQ(Name(table, part + 1), expected[part]);
        }
    }
    // The line the bubble shows, its breaks left out, as a reader says it.
    static std::wstring ShownSpeechOnOneLine() {
        std::wstring line;
        for (wchar_t c : Words(TableShown().speech)) {
            if (c != L'\n') line += c;
        }
        return line;
    }
    IAccessible* table = nullptr;
};

TEST_F(AccessibilityTest, ThePartsReadAsTheTableShowsThemAtEachStep) {
    long count = 0;
    EXPECT_EQ(table->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 15 + 7) << "the table's fifteen parts, then its seven controls";
    const std::wstring back = Words("裏");
    std::vector<std::wstring> opening(TablePartCount, back);
    opening[SpeechPart] = ShownSpeechOnOneLine();
    opening[ComputerHandNamePart] = Words("コンピューターの役");
    opening[PlayerHandNamePart] = Words("あなたの役");
    opening[ComputerMoneyPart] = Words("コンピューター 20ドル");
    opening[PlayerMoneyPart] = Words("あなた 20ドル");
    ExpectParts(opening);
    EXPECT_EQ(opening[SpeechPart].find(L'\n'), std::wstring::npos);
    EXPECT_NE(opening[SpeechPart].find(Words("スタートボタンを押してくれたまえ")),
              std::wstring::npos);

    // Dealt and one card marked: the player's faces, the computer's backs.
    PressControl(gMatch, StartButton);
    ToggleDiscard(gMatch, SlotLeft(6), SlotTop(6));
    std::vector<std::wstring> dealt = opening;
    dealt[SpeechPart] =
        Words("それではチェンジしたいカードをクリックしてくれたまえ決まったら次はチェンジボタンだ");
    for (int k = 0; k < 5; ++k) {
        dealt[FirstPlayerSlotPart + k] = Words(CardWords(gMatch.deal.playerHand[k]));
    }
    dealt[FirstPlayerSlotPart + 1] += Words("（選択中）");
    ExpectParts(dealt);
    VARIANT state;
    EXPECT_EQ(table->get_accState(Child(FirstPlayerSlotPart + 2), &state), S_OK);
    EXPECT_EQ(state.lVal & STATE_SYSTEM_SELECTED, STATE_SYSTEM_SELECTED);
    EXPECT_EQ(table->get_accState(Child(FirstPlayerSlotPart + 1), &state), S_OK);
    EXPECT_EQ(state.lVal & STATE_SYSTEM_SELECTED, 0);

    // Changed: the marked card is gone until its replacement arrives.
    PressControl(gMatch, ChangeButton);
    KillTimer(window, RoundTimer);
    EXPECT_EQ(Name(table, FirstPlayerSlotPart + 2), Words("空き"));
    AdvanceRound(gMatch);
    KillTimer(window, RoundTimer);
    EXPECT_EQ(Name(table, FirstPlayerSlotPart + 2), Words(CardWords(gMatch.deal.playerHand[1])));
    const std::wstring handName = Words(HandCategoryName(gMatch.playerCategory));
    std::wstring bare;
    for (wchar_t c : handName) {
        if (c != L' ') bare += c;
    }
    EXPECT_EQ(Name(table, PlayerHandNamePart + 1), Words("あなたの役：") + bare);
    BSTR value = nullptr;
    EXPECT_EQ(table->get_accValue(Child(PlayerHandNamePart + 1), &value), S_OK);
    EXPECT_EQ(std::wstring(value != nullptr ? value : L""), bare);
    SysFreeString(value);
}

TEST_F(AccessibilityTest, RolesPlacesChildrenAndRefusals) {
    VARIANT role;
    const struct {
        long child;
        long role;
    } roles[] = {{CHILDID_SELF, ROLE_SYSTEM_CLIENT},
                 {SpeechPart + 1, ROLE_SYSTEM_STATICTEXT},
                 {FirstComputerSlotPart + 1, ROLE_SYSTEM_GRAPHIC},
                 {FirstPlayerSlotPart + 5, ROLE_SYSTEM_GRAPHIC},
                 {PlayerMoneyPart + 1, ROLE_SYSTEM_STATICTEXT}};
    for (const auto& r : roles) {
        EXPECT_EQ(table->get_accRole(Child(r.child), &role), S_OK);
        EXPECT_EQ(role.lVal, r.role) << r.child;
    }
    // The player's third card where the table draws it, found again by hit test.
    long left, top, width, height;
    ASSERT_EQ(table->accLocation(&left, &top, &width, &height, Child(FirstPlayerSlotPart + 3)),
              S_OK);
    POINT corner{SlotLeft(7), SlotTop(7)};
    ClientToScreen(window, &corner);
    EXPECT_EQ(left, corner.x);
    EXPECT_EQ(top, corner.y);
    EXPECT_EQ(width, CardWidth);
    EXPECT_EQ(height, CardHeight);
    VARIANT hit;
    EXPECT_EQ(table->accHitTest(left + 5, top + 5, &hit), S_OK);
    EXPECT_EQ(hit.lVal, FirstPlayerSlotPart + 3);
    // The controls come after the parts as their own standard objects.
    for (long id = AccessibleControlChildFirst; id <= AccessibleChildCount; ++id) {
        IDispatch* control = nullptr;
        EXPECT_EQ(table->get_accChild(Child(id), &control), S_OK) << id;
        EXPECT_NE(control, nullptr);
        if (control != nullptr) control->Release();
    }
    BSTR name = nullptr;
    for (long bad : {0L - 1, AccessibleChildCount + 1, 1000L}) {
        EXPECT_EQ(table->get_accName(Child(bad), &name), E_INVALIDARG) << bad;
        IDispatch* none = nullptr;
        EXPECT_EQ(table->get_accChild(Child(bad), &none), E_INVALIDARG) << bad;
    }
    EXPECT_EQ(table->get_accName(Child(1), nullptr), E_POINTER);
}

struct SeenEvent {
    DWORD event;
    HWND window;
    LONG object;
    LONG child;
};
std::vector<SeenEvent> gSeenEvents;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                          DWORD) {
    gSeenEvents.push_back({event, window, object, child});
}

TEST_F(AccessibilityTest, EachNewLineIsAnnouncedAsANameChangeAndAnAlert) {
    gSeenEvents.clear();
    HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_NAMECHANGE, nullptr, RecordEvent,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    PressControl(gMatch, StartButton);
    auto seen = [&](DWORD event) {
        for (const SeenEvent& e : gSeenEvents) {
            if (e.event == event && e.window == window && e.object == OBJID_CLIENT && e.child == 1)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(
        PumpUntil([&] { return seen(EVENT_OBJECT_NAMECHANGE) && seen(EVENT_SYSTEM_ALERT); }, 2000));
    // What a reader then reads is the new line.
    EXPECT_EQ(Name(table, 1), ShownSpeechOnOneLine());
    EXPECT_NE(Name(table, 1).find(Words("チェンジボタンだ")), std::wstring::npos);
    // Marking a card says nothing new.
    gSeenEvents.clear();
    ToggleDiscard(gMatch, SlotLeft(5), SlotTop(5));
    PumpMessages(200);
    EXPECT_FALSE(seen(EVENT_SYSTEM_ALERT));
    UnhookWinEvent(hook);
}

}  // namespace
