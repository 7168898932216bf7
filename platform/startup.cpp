// The device's start-up and single-instance hand-off, for the desktop.
#include "platform/platform.h"

#ifndef _WIN32_WCE
#undef SetForegroundWindow

namespace {

// The device's mark, in a window handle's lowest bit, for "together with its owned windows".
const ULONG_PTR WithOwnedWindows = 1;

// The owner's windows placed so far: each next one goes below the last.
struct OwnedWindowsRaised {
    HWND Owner;
    HWND Last;
};

// Called in z order, top first: the owner's visible windows go to the top in that order.
BOOL CALLBACK RaiseOwnedWindow(HWND window, LPARAM data)
{
    OwnedWindowsRaised &raised = *reinterpret_cast<OwnedWindowsRaised *>(data);
    if (window != raised.Owner && IsWindowVisible(window)
        && GetAncestor(window, GA_ROOTOWNER) == raised.Owner) {
        SetWindowPos(window, raised.Last, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        raised.Last = window;
    }
    return TRUE;
}

} // namespace

// The command line's name ends at a blank or tab outside quotes; a quote opens or closes a
// quoted part anywhere in it, as the desktop's run time reads it.
LPWSTR DeviceCommandLine(LPWSTR processCommandLine)
{
    LPWSTR rest = processCommandLine;
    bool quoted = false;
    for (; *rest && (quoted || (*rest != L' ' && *rest != L'\t')); rest++)
        if (*rest == L'"')
            quoted = !quoted;
    if (*rest == L' ')
        rest++;
    return rest;
}

// The owner and its owned windows over every other window, in their own order, then the
// last active of them activated: an open dialog keeps the keyboard.
BOOL WINAPI DeviceSetForegroundWindow(HWND window)
{
    ULONG_PTR handle = reinterpret_cast<ULONG_PTR>(window);
    if (!(handle & WithOwnedWindows))
        return SetForegroundWindow(window);
    OwnedWindowsRaised raised = { reinterpret_cast<HWND>(handle & ~WithOwnedWindows), HWND_TOP };
    EnumWindows(RaiseOwnedWindow, reinterpret_cast<LPARAM>(&raised));
    SetWindowPos(raised.Owner, raised.Last, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return SetForegroundWindow(GetLastActivePopup(raised.Owner));
}

#endif // _WIN32_WCE
