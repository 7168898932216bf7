// velandrimour-check's entry. One program of the windows subsystem, so that started from
// Explorer no console window flashes up: with a console, a file or a pipe to write to it is the
// command line as ever; without one it shows its window. velandrimour-check.com, the same
// program for the console subsystem, is the one a console picks by the bare name, and waits for.
#include "check/console/console.h"
#include "check/window/window.h"

int wmain(int argc, wchar_t **argv) {
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
#ifdef VELANDRIMOUR_CHECK_CONSOLE
    return check::RunInConsole(arguments);
#else
    if (check::HasConsole()) return check::RunInConsole(arguments);
    return check::HasOptions(arguments) ? check::AnswerInBox(arguments) : check::RunWindow(arguments);
#endif
}
