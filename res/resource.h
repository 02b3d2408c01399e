#pragma once

// Identifiers shared by the resource script and the program. Plain macros, because the
// resource compiler reads this file too.

#define IDS_TITLE 103
#define IDS_CLASS_NAME 109
#define IDS_TRAY_TIP 120
#define IDS_TRAY_TIP_NOT_SAVING 121
#define IDS_SAVE_FAILED_TITLE 122
// Formats the name of the data file that could not be saved and its folder.
#define IDS_SAVE_FAILED_TEXT 123
// At exit: the same two, and what the three buttons do.
#define IDS_UNSAVED_AT_EXIT_TEXT 124
#define IDS_TRAY_TIP_CALL_FAILED 125
#define IDS_CALL_FAILED_TITLE 126
#define IDS_CALL_NO_TELEPHONY 127
#define IDS_CALL_NO_LINK_PROGRAM 128
#define IDS_CALL_NOT_STARTED 129
// "Dial with": the "tel:" program by name (formats it), or none.
#define IDS_LINK_PROGRAM 130
#define IDS_NO_LINK_PROGRAM 131

// The main window's class, which the string table names and other programs look for.
#define MAIN_WINDOW_CLASS "VELLIX"
#define RULES_DIALOG_TITLE "Vellix Dialing Rules"

// The notification icon: its id among the main window's icons, and the message that brings
// its mouse activity (WM_USER + 1).
#define TRAY_ICON_ID 1
#define TRAY_CALLBACK_MESSAGE 1025

#define IDI_VELLIX 107
#define IDI_DELETE 132
#define IDI_CONFIRM 134
// The picture of number kind k is icon IDI_NUMBER_KIND_FIRST + k.
#define IDI_NUMBER_KIND_FIRST 140
#define IDI_NUMBER_KIND_HOME 141
#define IDI_NUMBER_KIND_CELL 142

#define IDM_TRAY 109
#define IDA_MAIN 109
#define IDD_ABOUT 103
#define IDD_DIALING_RULES 131
#define IDC_RULES_GROUP 135
#define IDC_ABOUT_ICON 2

#define CMD_ABOUT 104
#define CMD_EXIT 105
#define CMD_FIND_NUMBERS 106
#define CMD_SHOW 107
#define CMD_DIAL_WITH_TELEPHONY 108
#define CMD_DIAL_WITH_LINK 112
#define CMD_NUMBER_MENU 110
#define CMD_DIAL 111
#define CMD_DIALING_RULES 32780
// Item i of the number menu sends CMD_PICK_FIRST + i. A copied text yields up to 32 numbers,
// so the range starts above CMD_DIALING_RULES.
#define CMD_PICK_FIRST 0x8010
