// The About, manual registration and Help dialogs.
#include "ui/dialogs.h"
#include "registration/registration.h"
#include "base/report.h"

extern const WCHAR HelpText[] =
    L"\r\n"
    L"     Программа \"Velandrimour\"\r\n"
    L"\r\n"
    L"Программа позволяет ассоциировать с одним типом файлов несколько программ. Например, для "
    L"файлов с расширением TXT Вы сможете запускать Pocket Word, HaaliReader, Pocket Notepad и "
    L"т.д. неограниченное количество различных программ по своему усмотрению.\r\n"
    L"\r\n"
    L"Так же, программа может использоваться автономно, для быстрого запуска часто используемых "
    L"приложений. Это целесообразно делать, назначая ей аппаратную кнопку. \r\n"
    L"\r\n"
    L"Управление работой программы осуществляется путем редактирования файла velandrimour.ini, "
    L"который должен находиться в той же директории что и velandrimour.exe. Ознакомьтесь с "
    L"содержанием прилагаемого файла velandrimour.ini и Вам все станет понятно.\r\n"
    L"\r\n"
    L"Первые (сверху-вниз) четыре экранные кнопки соответствуют стрелкам джойстика ВВЕРХ, ВНИЗ, "
    L"ВЛЕВО, ВПРАВО, так  же, повторное нажатие на закрепленную аппаратную кнопку, "
    L"соответствует выбору первой  экранной кнопки.";

namespace {

// The text typed into the manual registration dialog; CurrentExtension points into it
// while it is registered.
WCHAR TypedExtension[TypedExtensionMaxLength + 1];

// Full screen, a Done button in the title bar that sends IDOK, the input panel lowered.
void InitShellDialog(HWND dialog)
{
    SHINITDLGINFO info;
    info.dwMask = SHIDIM_FLAGS;
    info.hDlg = dialog;
    info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;
    SHInitDialog(&info);
}

// Ends the dialog on IDOK, the command its Done button sends; other commands are not handled.
INT_PTR EndOnDone(HWND dialog, WPARAM wParam)
{
    if (LOWORD(wParam) != IDOK)
        return FALSE;
    EndDialog(dialog, IDOK);
    return TRUE;
}

// Registers the typed extension unless it is empty or too long, then closes the dialog.
void AssociateTypedExtension(HWND dialog)
{
    HWND edit = GetDlgItem(dialog, IDC_EXTENSION);
    if (GetWindowTextLengthW(edit) > TypedExtensionMaxLength) {
        MessageBoxW(dialog, LongExtensionText, ExtentionErrorCaption, MB_OK | MB_ICONERROR);
    } else {
        TypedExtension[0] = 0;
        GetWindowTextW(edit, TypedExtension, static_cast<int>(ELEMENT_COUNT(TypedExtension)));
        if (TypedExtension[0])
            RegisterTypedExtension(TypedExtension, dialog);
    }
    EndDialog(dialog, IDC_ASSOCIATE);
}

// Every repaint puts the focus back into the edit box and raises the input panel.
void PrepareForTyping(HWND dialog)
{
    SetFocus(GetDlgItem(dialog, IDC_EXTENSION));
    SHSipPreference(dialog, SIP_UP);
}

} // namespace

// About: closes on IDOK only, which the Done button sends.
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitShellDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        return EndOnDone(dialog, wParam);
    }
    return FALSE;
}

// Manual registration of one typed extension.
INT_PTR CALLBACK AssociateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitShellDialog(dialog);
        return TRUE;
    case WM_PAINT:
        PrepareForTyping(dialog);
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDC_REFUSE:
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        case IDC_ASSOCIATE:
            AssociateTypedExtension(dialog);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

// Help: the help text, the input panel kept down.
INT_PTR CALLBACK HelpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        InitShellDialog(dialog);
        SetWindowTextW(GetDlgItem(dialog, IDC_HELP_TEXT), HelpText);
        return TRUE;
    case WM_PAINT:
        SHSipPreference(dialog, SIP_FORCEDOWN);
        return FALSE;
    case WM_COMMAND:
        return EndOnDone(dialog, wParam);
    }
    return FALSE;
}
