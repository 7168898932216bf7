// The "Файл" menu's commands.
#include "app/shell.h"
#include "registration/registration.h"
#include "ui/dialogs.h"

namespace {

// Registers every extension the configuration file names; the launcher closes afterwards,
// whatever the answers were.
void AssociateByConfigFile(HWND window)
{
    RegisterAllExtensions(window);
    CloseLauncher(window);
}

// Opens the configuration file in Pocket Word and closes the launcher.
void EditConfigFile(HWND window)
{
    if (!CreateProcessW(L"PWord", ConfigPath, NULL, NULL, FALSE, 0, NULL, NULL, NULL, NULL))
        ReportFatal(ExecutionsErrorCaption, PocketWordFailedText, PocketWordFailedEnd);
    CloseLauncher(window);
}

} // namespace

// Shows one of the program's own dialog templates modally, owned by the window.
void ShowResourceDialog(HWND window, UINT templateId, DLGPROC dialogProc)
{
    HRSRC found = FindResourceW(AppInstance, MAKEINTRESOURCEW(templateId), RT_DIALOG);
    HGLOBAL loaded = LoadResource(AppInstance, found);
    DialogBoxIndirectParamW(AppInstance, static_cast<LPCDLGTEMPLATEW>(loaded), window, dialogProc, 0);
}

// One line per command of the "Файл" menu; other identifiers are not menu commands.
bool RunMenuCommand(HWND window, UINT identifier)
{
    switch (identifier) {
    case IDM_ABOUT: ShowResourceDialog(window, IDD_ABOUT, AboutDialogProc); return true;
    case IDM_ASSOCIATE_INI: AssociateByConfigFile(window); return true;
    case IDM_ASSOCIATE_MANUAL: ShowResourceDialog(window, IDD_ASSOCIATE, AssociateDialogProc); return true;
    case IDM_HELP: ShowResourceDialog(window, IDD_HELP, HelpDialogProc); return true;
    case IDM_EDIT_INI: EditConfigFile(window); return true;
    }
    return false;
}
