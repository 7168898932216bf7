/* Resource and control identifiers, shared by the resource scripts and the code. */
#ifndef VELANDRIMOUR_RESOURCE_H
#define VELANDRIMOUR_RESOURCE_H

#define IDI_VELANDRIMOUR 101
// The menu-bar template and the menu it names share their number.
#define IDR_MENUBAR 102

#define IDD_ABOUT 103
#define IDD_ASSOCIATE 105
#define IDD_HELP 106

#define IDS_FILE 40007

#define IDM_MENUBAR_BUTTON 40001
#define IDM_ABOUT 40003
#define IDM_EXIT 40004
#define IDM_ASSOCIATE_INI 40005
#define IDM_ASSOCIATE_MANUAL 40006
#define IDM_HELP 40009
#define IDM_EDIT_INI 40010

#define IDC_ASSOCIATE 1001
#define IDC_REFUSE 1002
#define IDC_EXTENSION 1003
#define IDC_HELP_TEXT 1004
#define IDC_STATIC_TEXT -1

#define IDC_ENTRY_FIRST 9000
#define IDC_ENTRY_LAST 9005

#endif /* VELANDRIMOUR_RESOURCE_H */
