#pragma once

// Resource ids of the clean-up dialogs' templates (cleanup_dialogs.rc).
// The program's own resources (icon, version record, manifest) use id 1;
// these start at 200 so that both live in one program file.
#define IDD_MOVE_UNUSED 200
#define IDD_RESTORE_MOVED 201
#define IDD_MISSING_SOUNDS 202
#define IDD_MESSAGE_DETAILS 203

// Control ids, shared by the templates where a control plays the same part,
// so that the parts every dialog has are handled once.
#define IDC_FIRST_LINE 1001
#define IDC_LIST_LABEL 1002
#define IDC_LIST 1003
#define IDC_TICK_ALL 1004
#define IDC_TOTAL 1005
#define IDC_KEEP_LINE 1006
#define IDC_PATH_LABEL 1007
#define IDC_PATH 1008
#define IDC_CHOOSE 1009
#define IDC_PLAY 1010
#define IDC_KEEP 1011
#define IDC_UNKEEP 1012
#define IDC_PROGRESS_LABEL 1013
#define IDC_PROGRESS 1014
#define IDC_MESSAGE_AREA 1015
#define IDC_OPEN_SCHEME 1016
#define IDC_DETAILS 1017
