// The command line's front end over check::Run.
#pragma once

#include <string>
#include <vector>

namespace check {

// Whether the program was started where its output can be read: a console, a file or a pipe.
// Started from Explorer, a shortcut or "Open with" it has none of these.
bool HasConsole();
// Runs the command line and writes its texts to standard output and error; the exit status.
int RunInConsole(const std::vector<std::wstring> &arguments);
// Options are the command line's: started without a console, its answer shows in a box.
bool HasOptions(const std::vector<std::wstring> &arguments);
int AnswerInBox(const std::vector<std::wstring> &arguments);

}  // namespace check
