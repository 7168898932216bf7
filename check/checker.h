// velandrimour-check: the launcher's own configuration procedures driven over a whole file,
// so that every fault is found in one run and what the launcher shows can be told in advance.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "check/reported.h"
#include "config/config.h"

namespace check {

enum class Severity { Error, Warning, Note };

struct Finding {
    int line;    // as an editor counts them: CR LF, a lone CR and a lone LF each end a line
    int column;  // 1 for the first byte of the line
    Severity severity;
    std::string code;
    std::wstring text;
};

// The file cannot be read at all; the message says why, in one line.
struct CannotRead {
    std::wstring message;
};

// One significant line as the launcher's ReadLine delivers it, and where it lies.
struct SignificantLine {
    DWORD start;  // offset of its first character (after the leading spaces)
    DWORD end;    // the read position after it: past its line end
    std::wstring text;
    bool header() const { return !text.empty() && (text[0] == L'[' || text[0] == L'{'); }
};

// The file as loaded into the launcher's buffers, with its significant lines.
struct ConfigImage {
    std::string bytes;  // what LoadConfigFile read, cut to the size limit
    bool tooLarge = false;
    std::optional<Reported> sizeReport;
    std::vector<SignificantLine> lines;
    std::vector<DWORD> editorLineStarts;
    DWORD stoppedAt = 0;  // offset of a zero byte at which reading stops, or 0
    bool stopped = false;
    std::vector<Finding> readFindings;  // lines that reach 511 characters

    int LineOf(DWORD offset) const;
    int ColumnOf(DWORD offset) const;
    // The significant line whose read ends at this position; -1 when none does.
    int LineEndingAt(DWORD end) const;
};

// Points the launcher's ConfigPath at the file and loads it; throws CannotRead.
ConfigImage OpenConfig(const std::wstring &path);

struct CheckOptions {
    unsigned pathLength = 100;  // the length of the path "%1" stands for
};

// Every finding of the file, in file order. Needs OpenConfig first.
std::vector<Finding> CheckConfig(const ConfigImage &image, const CheckOptions &options);

// The keys a header line can be found by, lower-cased as FindSection compares: "[name]",
// "[]", "{name}", and "[*]" for the wildcard.
struct HeaderKey {
    std::wstring key;
    std::wstring name;  // as written
    bool wildcard;
};
std::vector<HeaderKey> KeysOfHeader(const std::wstring &header);

// What the launcher shows for one row of buttons.
struct Row;
struct Button {
    LaunchEntry entry;
    bool submenu = false;
    bool repeated = false;  // its submenu is shown elsewhere in the tree
    std::wstring submenuKey;
    std::unique_ptr<Row> row;
};
struct Row {
    std::wstring key;
    std::optional<Reported> report;  // the launcher reports this instead of a row
    int headerLine = 0;              // the line of the header that matched, 0 when none
    std::wstring header;
    bool notice = false;  // no "[]" section: the "Сообщение" notice over an empty window
    std::vector<Button> buttons;
};

// The launcher started on this argument (empty: without a file), and every submenu it can
// open from there. Needs OpenConfig first; reads the file afresh as the launcher does.
Row Show(const ConfigImage &image, const std::wstring &argument);
// The same from a submenu key already set, as after a submenu entry; the argument stays.
Row ShowFromKey(const ConfigImage &image, const std::wstring &argument, const std::wstring &submenuKey);
// Whether the launcher reports an error anywhere in the tree.
bool Reports(const Row &row);

// What HKEY_CLASSES_ROOT holds for one extension that the registration pass would offer.
struct Association {
    std::wstring extension;
    enum State { NotRegistered, Ours, Other, Refused } state;
    std::wstring command;  // the open command, when registered
};
// The registration pass's extensions in its order; a report ends the list.
std::vector<Association> Associations(std::optional<Reported> &report);

// The command line's whole work: the text for standard output and for standard error, and
// the exit status (0 no error, 1 an error, 2 unreadable file or wrong arguments).
struct RunResult {
    std::wstring out;
    std::wstring err;
    int status = 0;
};
RunResult Run(const std::vector<std::wstring> &arguments);

// Output pieces, also used by the tests.
std::wstring FormatFinding(const std::wstring &file, const Finding &finding);
std::wstring FindingsJson(const std::wstring &file, const std::vector<Finding> &findings);
std::wstring FormatRow(const Row &row, int depth = 0);
std::string ToUtf8(const std::wstring &text);
// Line breaks of a launcher's text as blanks.
std::wstring OneLine(const std::wstring &text);

}  // namespace check
