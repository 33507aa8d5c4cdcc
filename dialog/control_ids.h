#pragma once

// Resource ids shared by the dialog and the resource library.

#define IDD_FONT_SELECT 105

#define IDC_HELP_BTN 1043
#define IDC_DEFAULTS_BTN 1046
#define IDC_CHECK_ALL_BTN 1047
#define IDC_FONT_LIST_CAPTION 1048
#define IDC_FONT_LIST 1049
#define IDC_CLEAR_ALL_BTN 1050
#define IDC_FIND_LABEL 1051
#define IDC_FIND_BOX 1052
#define IDC_FONT_COUNT 1053

#define IDS_RESET_PROMPT 1
#define IDS_RESET_CAPTION 2
