// The deck shown: the player's choice and Windows' high-contrast setting.
#include "view/card_deck.h"

#include <cstdlib>

#include "res/resource.h"
#include "shell/settings.h"
#include "view/table_surface.h"

namespace {

bool gFourColourChosen = false;

// Where Windows keeps the setting, as text ("126", "127"): bit 1 is on.
constexpr wchar_t HighContrastKey[] = L"Control Panel\\Accessibility\\HighContrast";

bool RegistrySaysHighContrast() {
    wchar_t flags[16] = {};
    DWORD size = sizeof flags;
    if (RegGetValueW(HKEY_CURRENT_USER, HighContrastKey, L"Flags", RRF_RT_REG_SZ, nullptr, flags,
                     &size) != ERROR_SUCCESS)
        return false;
    return (std::wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

void ShowDeck(HWND window) {
    const bool four = gFourColourChosen || SystemAsksForContrast();
    if (four != gTable.fourColourDeck) {
        UseDeck(gTable, four);
        InvalidateRect(window, nullptr, FALSE);
    }
    ShowDeckInMenu(window);
}

}  // namespace

bool SystemAsksForContrast() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
        (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0)
        return true;
    // Wine answers the call as off whatever its registry holds.
    return RegistrySaysHighContrast();
}

void ChooseDeckAtStart() {
    gFourColourChosen = ReadSettingInt(DeckSection, FourColourKey, 0, SettingsFileName) == 1;
    gTable.fourColourDeck = gFourColourChosen || SystemAsksForContrast();
}

void ToggleFourColourDeck(HWND window) {
    // Greyed in the menu meanwhile; a command that comes anyway changes nothing.
    if (SystemAsksForContrast()) return;
    gFourColourChosen = !gFourColourChosen;
    // Only into a file that is there: its existence tells the next start that
    // the first-run questions were answered.
    if (SettingsFileExists(SettingsFileName)) {
        WriteSettingString(DeckSection, FourColourKey, gFourColourChosen ? "1" : "0",
                           SettingsFileName);
    }
    ShowDeck(window);
}

void FollowSystemContrast(HWND window) { ShowDeck(window); }

void ShowDeckInMenu(HWND window) {
    HMENU menu = GetMenu(window);
    if (menu == nullptr) return;
    CheckMenuItem(menu, IDM_FOUR_COLOUR_DECK,
                  MF_BYCOMMAND | (gTable.fourColourDeck ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu, IDM_FOUR_COLOUR_DECK,
                   MF_BYCOMMAND | (SystemAsksForContrast() ? MF_GRAYED : MF_ENABLED));
}
