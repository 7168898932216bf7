// Full-screen dialogs with a Done button, as the device's shell sets them up.
#include "platform/platform.h"

#ifndef _WIN32_WCE

namespace {

// The dialog class's own window procedure, the same for every dialog.
WNDPROC DialogClassProc;

// The close box in the title bar stands for the device's Done button: it sends IDOK.
LRESULT CALLBACK DoneButtonProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    }
    return CallWindowProcW(DialogClassProc, dialog, message, wParam, lParam);
}

// Puts a close box in the title bar that sends IDOK instead of IDCANCEL.
void AddDoneButton(HWND dialog)
{
    LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
    SetWindowLongPtrW(dialog, GWL_STYLE, style | WS_SYSMENU);
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(dialog, GWLP_WNDPROC)) != DoneButtonProc)
        DialogClassProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DoneButtonProc)));
    SetWindowPos(dialog, NULL, 0, 0, 0, 0,
        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// Places the dialog as the launcher window stands: below the task bar, its client area
// the device's screen below the task bar.
void SizeToDeviceScreen(HWND dialog)
{
    RECT frame = DeviceScreenFrame(static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)),
        static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, NULL, 0, DeviceTaskBarHeight, frame.right - frame.left, frame.bottom - frame.top,
        SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

// The shell's dialog set-up: Done button, full-screen size, input panel down.
BOOL WINAPI SHInitDialog(SHINITDLGINFO *info)
{
    if (!info || !IsWindow(info->hDlg))
        return FALSE;
    if (!(info->dwMask & SHIDIM_FLAGS))
        return TRUE;
    if (info->dwFlags & SHIDIF_DONEBUTTON)
        AddDoneButton(info->hDlg);
    if (info->dwFlags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN))
        SizeToDeviceScreen(info->hDlg);
    if (info->dwFlags & SHIDIF_SIPDOWN)
        SHSipPreference(info->hDlg, SIP_DOWN);
    return TRUE;
}

#endif // _WIN32_WCE
