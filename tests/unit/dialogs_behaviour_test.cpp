// The three dialogs, shown modally from the test binary's own templates and driven in-process.
#include "app/shell.h"
#include "registration/registration.h"
#include "support/registry_support.h"
#include "support/test_support.h"
#include "ui/dialogs.h"

#include <functional>

namespace {

// The procedure under test, and what to do with its dialog once it is on screen: one step
// per timer tick, so that the dialog has been shown and painted before each.
struct Script {
    DLGPROC procedure;
    std::vector<std::function<void(HWND)>> steps;
    size_t next = 0;
};
thread_local Script *running = nullptr;

const UINT_PTR kStepTimer = 76;
const UINT_PTR kGiveUpTimer = 77;
const INT_PTR kGaveUp = -77;

// Hands every message to the procedure under test, runs the steps, and ends a dialog that
// the procedure left open, so that no test hangs.
INT_PTR CALLBACK Driven(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kStepTimer) {
        KillTimer(dialog, kStepTimer);
        if (running->next < running->steps.size()) running->steps[running->next++](dialog);
        SetTimer(dialog, kStepTimer, 20, nullptr);
        return TRUE;
    }
    if (message == WM_TIMER && wParam == kGiveUpTimer) {
        EndDialog(dialog, kGaveUp);
        return TRUE;
    }
    INT_PTR result = running->procedure(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG) {
        SetTimer(dialog, kStepTimer, 20, nullptr);
        SetTimer(dialog, kGiveUpTimer, 5000, nullptr);
    }
    return result;
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        AppInstance = GetModuleHandleW(nullptr);
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }

    // Shows the template modally and takes the steps; returns what it ended with.
    INT_PTR Run(int id, DLGPROC procedure, std::function<void(HWND)> step) {
        return Run(id, procedure, std::vector<std::function<void(HWND)>>{std::move(step)});
    }
    INT_PTR Run(int id, DLGPROC procedure, std::vector<std::function<void(HWND)>> steps) {
        Script script{procedure, std::move(steps)};
        running = &script;
        HRSRC found = FindResourceW(AppInstance, MAKEINTRESOURCEW(id), RT_DIALOG);
        auto dialogTemplate = static_cast<LPCDLGTEMPLATEW>(LockResource(LoadResource(AppInstance, found)));
        INT_PTR result = DialogBoxIndirectParamW(AppInstance, dialogTemplate, owner_, Driven, 0);
        running = nullptr;
        return result;
    }
    HWND owner_ = nullptr;
};

// The message boxes that were not the dialog itself being activated again.
std::vector<SeenBox> BoxesBut(const BoxAnswerer &answerer, const std::wstring &dialogTitle) {
    std::vector<SeenBox> boxes;
    for (const SeenBox &box : answerer.boxes())
        if (box.caption != dialogTitle) boxes.push_back(box);
    return boxes;
}

// Below the task bar, with the device's screen below the task bar for its client area, and a
// Done button (close box) in the title bar.
::testing::AssertionResult IsFullScreenWithDone(HWND dialog) {
    RECT window, client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    if (window.left != 0 || window.top != DeviceTaskBarHeight)
        return ::testing::AssertionFailure() << "at " << window.left << "," << window.top;
    if (client.right != DeviceScreenWidth || client.bottom != DeviceScreenHeight - DeviceTaskBarHeight)
        return ::testing::AssertionFailure() << "client " << client.right << " by " << client.bottom;
    if (!(GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU)) return ::testing::AssertionFailure() << "no Done button";
    return ::testing::AssertionSuccess();
}

std::wstring ClassOf(HWND window) {
    WCHAR name[32] = L"";
    GetClassNameW(window, name, 32);
    return name;
}

void PressDone(HWND dialog) { SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

TEST_F(Dialogs, AboutShowsItsLinesAndClosesOnlyOnDone) {
    bool stayedOpen = false;
    INT_PTR result = Run(IDD_ABOUT, AboutDialogProc, {[&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), L"Velandrimour");
        EXPECT_TRUE(IsFullScreenWithDone(dialog));
        int statics = 0;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            EXPECT_EQ(ClassOf(child), L"Static");
            EXPECT_EQ(GetDlgCtrlID(child), 0xFFFF);
            ++statics;
        }
        EXPECT_EQ(statics, 7);
        for (WPARAM command : {IDCANCEL, IDNO, 1001, 40003})
            EXPECT_FALSE(AboutDialogProc(dialog, WM_COMMAND, command, 0));
        for (WPARAM command : {IDCANCEL, IDNO, 1001}) SendMessageW(dialog, WM_COMMAND, command, 0);
        SendMessageW(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    }, [&](HWND dialog) {
        stayedOpen = IsWindowVisible(dialog);
        PressDone(dialog);
    }});
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(result, IDOK);
}

TEST_F(Dialogs, HelpShowsTheHelpTextReadOnlyCentredAndScrolled) {
    INT_PTR result = Run(IDD_HELP, HelpDialogProc, [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), L"Dialog");
        EXPECT_TRUE(IsFullScreenWithDone(dialog));
        HWND text = GetDlgItem(dialog, IDC_HELP_TEXT);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(ClassOf(text), L"Edit");
        EXPECT_EQ(WindowText(text), std::wstring(HelpText));
        EXPECT_EQ(GetWindowTextLengthW(text), 914);
        LONG style = GetWindowLongW(text, GWL_STYLE);
        for (LONG bit : {ES_MULTILINE, ES_READONLY, ES_CENTER, (LONG)WS_VSCROLL})
            EXPECT_EQ(style & bit, bit) << std::hex << bit;
        EXPECT_FALSE(HelpDialogProc(dialog, WM_COMMAND, IDCANCEL, 0));
        PressDone(dialog);
    });
    EXPECT_EQ(result, IDOK);
}

TEST_F(Dialogs, ManualRegistrationHasItsControls) {
    INT_PTR result = Run(IDD_ASSOCIATE, AssociateDialogProc, [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), L"Ассоциирование");
        EXPECT_TRUE(IsFullScreenWithDone(dialog));
        struct Expected {
            int id;
            const wchar_t *windowClass, *text;
        } controls[] = {{IDC_ASSOCIATE, L"Button", L"Ассоциировать"},
                        {IDC_REFUSE, L"Button", L"Отказаться"},
                        {IDC_EXTENSION, L"Edit", L""},
                        {0xFFFF, L"Static", L"Введите расширение, с которым хотите ассоциировать эту программу"}};
        for (const Expected &c : controls) {
            HWND control = GetDlgItem(dialog, c.id);
            ASSERT_NE(control, nullptr) << c.id;
            EXPECT_EQ(ClassOf(control), c.windowClass);
            EXPECT_EQ(WindowText(control), c.text);
        }
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EXTENSION));
        SetFocus(GetDlgItem(dialog, IDC_REFUSE));
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EXTENSION)) << "a repaint puts the focus back";
        EXPECT_FALSE(AssociateDialogProc(dialog, WM_COMMAND, IDCANCEL, 0));
        SendMessageW(dialog, WM_COMMAND, IDC_REFUSE, 0);
    });
    EXPECT_EQ(result, IDC_REFUSE);
}

// Typing an extension and pressing a button: what it ends with and what it asks.
TEST_F(Dialogs, ManualRegistrationFlows) {
    const std::wstring forty = L"vlnd_" + std::wstring(35, L'q');
    const std::wstring fortyOne = forty + L"q";
    struct Case {
        const char *what;
        std::wstring typed;
        std::function<void(HWND)> press;
        INT_PTR result;
        std::vector<std::wstring> boxTexts;
        std::wstring registered;
    } cases[] = {
        {"empty text", L"", [](HWND d) { SendMessageW(d, WM_COMMAND, IDC_ASSOCIATE, 0); }, IDC_ASSOCIATE, {}, L""},
        {"forty characters",
         forty,
         [](HWND d) { SendMessageW(d, WM_COMMAND, IDC_ASSOCIATE, 0); },
         IDC_ASSOCIATE,
         {L"Вы хотие связать файлы с расширением \"" + forty + L"\" с данной программой?"},
         forty},
        {"forty-one characters",
         fortyOne,
         [](HWND d) { SendMessageW(d, WM_COMMAND, IDC_ASSOCIATE, 0); },
         IDC_ASSOCIATE,
         {L"Слишком длинное расширение."},
         L""},
        {"Done", L"vlnd_typed", PressDone, IDOK, {}, L""},
        {"Отказаться", L"vlnd_typed", [](HWND d) { SendMessageW(d, WM_COMMAND, IDC_REFUSE, 0); }, IDC_REFUSE, {},
         L""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ThrowawayKeys keys({L"." + forty, forty + L"file", L"." + fortyOne, fortyOne + L"file", L".vlnd_typed",
                            L"vlnd_typedfile"});
        std::vector<SeenBox> boxes;
        HWND shown = nullptr;
        INT_PTR result = Run(IDD_ASSOCIATE, AssociateDialogProc, [&](HWND dialog) {
            shown = dialog;
            SetDlgItemTextW(dialog, IDC_EXTENSION, c.typed.c_str());
            BoxAnswerer answerer({IDYES});
            c.press(dialog);
            boxes = BoxesBut(answerer, L"Ассоциирование");
        });
        EXPECT_EQ(result, c.result);
        ASSERT_EQ(boxes.size(), c.boxTexts.size());
        for (size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(boxes[i].text, c.boxTexts[i]);
            EXPECT_EQ(boxes[i].owner, shown);
        }
        if (c.typed == fortyOne) {
            EXPECT_EQ(boxes[0].caption, L"Extention error");
            EXPECT_EQ(boxes[0].buttons, (std::vector<int>{IDOK}));
        }
        for (const std::wstring &typed : {forty, fortyOne, std::wstring(L"vlnd_typed")})
            EXPECT_EQ(KeyExists(L"." + typed), typed == c.registered) << typed.size() << " characters";
    }
}

// A second showing starts with an empty edit box.
TEST_F(Dialogs, ManualRegistrationKeepsNothingBetweenShowings) {
    Run(IDD_ASSOCIATE, AssociateDialogProc, [](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_EXTENSION, L"left over");
        SendMessageW(dialog, WM_COMMAND, IDC_REFUSE, 0);
    });
    std::wstring text = L"?";
    Run(IDD_ASSOCIATE, AssociateDialogProc, [&](HWND dialog) {
        text = WindowText(GetDlgItem(dialog, IDC_EXTENSION));
        SendMessageW(dialog, WM_COMMAND, IDC_REFUSE, 0);
    });
    EXPECT_EQ(text, L"");
}

}  // namespace
