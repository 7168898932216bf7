// The Pocket PC shell library's records and calls that the launcher and its desktop stand-ins
// use, written from the library's documentation. The desktop's stand-ins implement these
// calls; the device's branch of the sources compiles against it where the device's SDK is not
// installed. A build for the device uses the SDK's own aygshell.h.
#ifndef VELANDRIMOUR_DEVICE_AYGSHELL_H
#define VELANDRIMOUR_DEVICE_AYGSHELL_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// What SHCreateMenuBar makes the bar from; it fills hwndMB.
typedef struct tagSHMENUBARINFO {
    DWORD cbSize;
    HWND hwndParent;
    DWORD dwFlags;
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB;
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

// What the activation and setting-change handling keep between calls.
typedef struct tagSHACTIVATEINFO {
    DWORD cbSize;
    HWND hwndLastFocus;
    UINT fSipUp : 1;
    UINT fSipOnDeactivation : 1;
    UINT fActive : 1;
    UINT fReserved : 29;
} SHACTIVATEINFO, *PSHACTIVATEINFO;

// SHInitDialog's request: which fields count, the dialog, what to do with it.
typedef struct tagSHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS 0x0001
#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLG 0x0002
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008

// The input panel's states.
typedef enum tagSIPSTATE {
    SIP_UP = 0,
    SIP_DOWN,
    SIP_FORCEDOWN,
    SIP_UNCHANGED,
    SIP_INPUTDIALOG
} SIPSTATE;

BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *menuBar);
BOOL WINAPI SHInitDialog(SHINITDLGINFO *dialog);
BOOL WINAPI SHHandleWMActivate(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO *info, DWORD flags);
BOOL WINAPI SHHandleWMSettingChange(HWND window, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO *info);
BOOL WINAPI SHSipPreference(HWND window, SIPSTATE state);

#ifdef __cplusplus
}
#endif

#endif // VELANDRIMOUR_DEVICE_AYGSHELL_H
