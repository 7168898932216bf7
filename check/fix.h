// velandrimour-check --fix: the configuration file rewritten as the device reads it.
#pragma once

#include "check/checker.h"

namespace check {

// Rewrites the file in code page 1251 with CR LF line ends and no byte-order mark, from UTF-8
// (with or without the mark) or 1251 with any line ends; the original stays beside it as a
// backup, and the text says what was converted. A file already in that form is left alone.
// Status 2 with the file untouched when a character has no place in 1251 (each place a finding
// in `out`, as JSON with json), when the result would reach the launcher's size limit, or when
// the file or its folder cannot be written. With json the report goes to `err`.
RunResult FixFile(const std::wstring &path, bool json);

// What a failed file operation means to the user, with its code.
std::wstring Why(DWORD error);

}  // namespace check
