// The four-colour deck (the menu, bluffwick.ini, Windows' high contrast) and
// the record of the match (its dialog, its key, the clipboard).
#include <oleacc.h>

#include "cards/random.h"
#include "game/input.h"
#include "game/match_record.h"
#include "game/round.h"
#include "game/saved_game.h"
#include "game/table_words.h"
#include "main_window_fixture.h"
#include "res/resource.h"
#include "shell/wide_text.h"
#include "view/card_deck.h"
#include "view/table_keys.h"
#include "view/table_surface.h"

namespace {

constexpr wchar_t ContrastKey[] = L"Control Panel\\Accessibility\\HighContrast";

// The colour each pixel of a face picture shows, marked or not, top row first.
std::vector<COLORREF> FaceColours(int id, bool marked) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    const auto* bytes =
        static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found)));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    const RGBQUAD* table = reinterpret_cast<const RGBQUAD*>(bytes + header->biSize);
    const unsigned char* pixels = bytes + header->biSize + 256 * sizeof(RGBQUAD);
    std::vector<COLORREF> colours;
    for (int row = CardHeight - 1; row >= 0; --row) {
        for (int x = 0; x < CardWidth; ++x) {
            unsigned char index = pixels[row * CardWidth + x];
            if (marked && index == FaceWhiteIndex) index = MarkCyanIndex;
            colours.push_back(
                RGB(table[index].rgbRed, table[index].rgbGreen, table[index].rgbBlue));
        }
    }
    return colours;
}

std::vector<COLORREF> SlotColours(int slot) {
    std::vector<COLORREF> colours;
    for (int y = SlotTop(slot); y < SlotTop(slot) + CardHeight; ++y) {
        for (int x = SlotLeft(slot); x < SlotLeft(slot) + CardWidth; ++x)
            colours.push_back(GetPixel(gTable.surface, x, y));
    }
    return colours;
}

void SetHighContrast(const wchar_t* flags) {
    RegSetKeyValueW(HKEY_CURRENT_USER, ContrastKey, L"Flags", REG_SZ, flags,
                    static_cast<DWORD>((wcslen(flags) + 1) * sizeof(wchar_t)));
}

class DeckRecordTest : public MainWindowFixture {
protected:
    void SetUp() override {
        SetHighContrast(L"126");
        MainWindowFixture::SetUp();
        SeedRandom(2024);
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        SetHighContrast(L"126");
    }
    void Command(int id) { SendMessageW(window, WM_COMMAND, id, 0); }
    void Tick() {
        AdvanceRound(gMatch);
        KillTimer(window, RoundTimer);
    }
    // Every player card shows the face of the deck in effect, with its mark.
    void ExpectPlayerFaces(int firstPicture) {
        for (int i = 0; i < 5; ++i) {
            const Card card = gMatch.deal.playerHand[i];
            const bool marked = gMatch.deal.playerDiscards[i] == 1;
            EXPECT_EQ(SlotColours(FirstPlayerSlot + i), FaceColours(firstPicture + card, marked))
                << "card " << card << (marked ? " marked" : "");
        }
    }
    UINT MenuState() const {
        return GetMenuState(GetMenu(window), IDM_FOUR_COLOUR_DECK, MF_BYCOMMAND);
    }
};

TEST_F(DeckRecordTest, TheMenuTurnsTheDeckAtOnceAndTheSettingsFileKeepsIt) {
    PressControl(gMatch, StartButton);
    TakeInput(gMatch, Mark(1));
    ExpectPlayerFaces(IDB_CARD_FIRST);
    EXPECT_FALSE(MenuState() & MF_CHECKED);
    const std::string before = SaveGame(gMatch);

    Command(IDM_FOUR_COLOUR_DECK);
    EXPECT_TRUE(gTable.fourColourDeck);
    EXPECT_TRUE(MenuState() & MF_CHECKED);
    ExpectPlayerFaces(IDB_FOUR_CARD_FIRST);
    EXPECT_EQ(SaveGame(gMatch), before) << "switching took a step of the game";
    // Marks made after the switch recolour the four-colour face, and go again.
    TakeInput(gMatch, Mark(3));
    TakeInput(gMatch, Mark(1));
    ExpectPlayerFaces(IDB_FOUR_CARD_FIRST);
    // Its own section; the shortcut answers stay as they were.
    const std::string ini = ReadWholeFile(iniPath);
    EXPECT_EQ(IniKeyLines(ini),
              (std::vector<std::string>{"STARTUP=0", "DESKTOP=0", "STARTMENU=0", "FOURCOLOUR=1"}));
    EXPECT_NE(ini.find("[Cards]\r\nFOURCOLOUR=1"), std::string::npos);

    // A new window starts with the deck chosen.
    DestroyWindow(window);
    window = CreateMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(gTable.fourColourDeck);
    EXPECT_TRUE(MenuState() & MF_CHECKED);
    Command(IDM_FOUR_COLOUR_DECK);
    EXPECT_FALSE(gTable.fourColourDeck);
    EXPECT_NE(ReadWholeFile(iniPath).find("FOURCOLOUR=0"), std::string::npos);

    // With no settings file (its first run's writing failed), the choice holds
    // for the window but makes no file, which would skip the next first run.
    RemovePath(iniPath);
    Command(IDM_FOUR_COLOUR_DECK);
    EXPECT_TRUE(gTable.fourColourDeck);
    EXPECT_FALSE(FileExists(iniPath));
}

TEST_F(DeckRecordTest, HighContrastTurnsItOnAndItFollowsTheSetting) {
    PressControl(gMatch, StartButton);
    TakeInput(gMatch, Mark(0));
    SetHighContrast(L"127");
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_TRUE(gTable.fourColourDeck);
    ExpectPlayerFaces(IDB_FOUR_CARD_FIRST);
    EXPECT_EQ(MenuState() & (MF_CHECKED | MF_GRAYED), static_cast<UINT>(MF_CHECKED | MF_GRAYED));
    // The player cannot turn it off meanwhile, and nothing is written.
    Command(IDM_FOUR_COLOUR_DECK);
    EXPECT_TRUE(gTable.fourColourDeck);
    EXPECT_EQ(ReadWholeFile(iniPath).find("FOURCOLOUR"), std::string::npos);
    // A window made while it is on starts with four colours.
    DestroyWindow(window);
    window = CreateMainWindow();
    EXPECT_TRUE(gTable.fourColourDeck);

    SetHighContrast(L"126");
    SendMessageW(window, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_FALSE(gTable.fourColourDeck);
    EXPECT_FALSE(MenuState() & (MF_CHECKED | MF_GRAYED));
}

TEST_F(DeckRecordTest, TheRecordOpensByKeyAndMenuReadsAsTextAndIsCopied) {
    // One whole deal, the computer dealing and the player calling.
    PressControl(gMatch, StartButton);
    PressControl(gMatch, ChangeButton);
    for (int k = 0; k < 10 && !IsWindowEnabled(Control(OkButton)); ++k) Tick();
    PressControl(gMatch, OkButton);
    for (int k = 0; k < 10 && !IsWindowEnabled(Control(StartButton)); ++k) Tick();
    const std::wstring words = WidenCp932(MatchRecordWords(gMatch.record).c_str());
    ASSERT_NE(words.find(WidenCp932("ディール")), std::wstring::npos);

    std::wstring shown, name;
    bool caretAtEnd = false;
    DialogDriver driver(WidenCp932("マッチの記録"), [&](HWND dialog) {
        HWND text = GetDlgItem(dialog, IDC_RECORD_TEXT);
        shown.resize(GetWindowTextLengthW(text) + 1);
        GetWindowTextW(text, shown.data(), static_cast<int>(shown.size()));
        shown.resize(shown.size() - 1);
        DWORD start = 0, end = 0;
        SendMessageW(text, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        caretAtEnd = start == end && end == shown.size();
        IAccessible* object = nullptr;
        if (AccessibleObjectFromWindow(text, static_cast<DWORD>(OBJID_CLIENT),
                                       __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&object)) == S_OK) {
            VARIANT self;
            VariantInit(&self);
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            BSTR value = nullptr;
            if (object->get_accName(self, &value) == S_OK && value != nullptr) name = value;
            SysFreeString(value);
            object->Release();
        }
        ClickDialogItem(dialog, IDOK);
    });
    MSG key{};
    key.hwnd = window;
    key.message = WM_KEYDOWN;
    key.wParam = 'R';
    key.lParam = 1;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_TRUE(HandleTableKey(window, key));
    CoUninitialize();
    EXPECT_TRUE(driver.seen());
    EXPECT_EQ(shown, words);
    EXPECT_TRUE(caretAtEnd);
    EXPECT_EQ(name, WidenCp932("マッチの記録"));

    // The menu opens the same dialog; Esc closes it.
    DialogDriver byMenu(WidenCp932("マッチの記録"),
                        [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    Command(IDM_MATCH_RECORD);
    EXPECT_TRUE(byMenu.seen());

    // Ctrl+C: the table's words, then the record.
    ASSERT_TRUE(CopyTableText(window, TableShown(), gMatch.record));
    ASSERT_TRUE(OpenClipboard(window));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    std::wstring copied = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data != nullptr) GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied, WidenCp932(DescribeTable(TableShown()).c_str()) + L"\r\n" + words);
}

}  // namespace
