/* Resource numbers shared by the resource script and the C++ code. Plain
   #defines only: windres reads this file too. The main window's control ids
   (100..106) are the TableControl values of game/layout.h. */
#ifndef BLUFFWICK_RESOURCE_H
#define BLUFFWICK_RESOURCE_H

#define IDB_TABLE 101
#define IDB_CARD_FIRST 102 /* card code + 102, up to 153 */
#define IDB_CARD_BACK 154
#define IDB_BLANK_DIGIT 166
#define IDB_DIGIT_FIRST 167 /* 167 + digit, up to 176 */
#define IDB_EMPTY_SLOT 178
#define IDB_MOUTH_CLOSED 182
#define IDB_MOUTH_GRIN 183
#define IDB_MOUTH_OPEN 184
#define IDB_FOUR_CARD_FIRST 202 /* four-colour deck: card code + 202, up to 253 */

#define IDR_MAIN_MENU 177
#define IDI_PROGRAM 179
#define IDD_ABOUT 180
#define IDD_SETTINGS 181
#define IDD_MATCH_RECORD 185

#define IDM_EXIT 8
#define IDM_HELP 9
#define IDM_ABOUT 40002
#define IDM_HOME_PAGE 40003
#define IDM_FOUR_COLOUR_DECK 40004
#define IDM_MATCH_RECORD 40005

#define IDC_DESKTOP_CHECK 1000
#define IDC_START_MENU_CHECK 1001
#define IDC_STARTUP_CHECK 1002
#define IDC_RECORD_TEXT 1003

#endif
