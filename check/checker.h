// velandrimour-check: the launcher's own configuration procedures driven over a whole file,
// so that every fault is found in one run and what the launcher shows can be told in advance.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "check/reported.h"
#include "config/config.h"

// A macro's value as a wide string: the build hands the version over as a bare number.
#define WIDE_TEXT_(text) L## #text
#define WIDE_TEXT(text) WIDE_TEXT_(text)

namespace check {

enum class Severity { Error, Warning, Note };

struct Finding {
    int line;    // as an editor counts them: CR LF, a lone CR and a lone LF each end a line
    int column;  // 1 for the first character of the line, in the file's own encoding
    Severity severity;
    std::string code;
    std::wstring text;
    bool mendedByFix = false;  // what --fix rewrites away: the encoding, the mark, lone line ends
};

// The file cannot be read at all; the message says why, in one line.
struct CannotRead {
    std::wstring message;
};

// One line as the launcher's ReadLine delivers it, and where it lies.
struct SignificantLine {
    DWORD start;  // where ReadLine says it began: its first character after the leading spaces
    DWORD end;    // the read position after it: past its line end
    std::wstring text;
    bool tooLong = false;  // ReadLine reports it; text holds what was stored by then
    bool header() const { return !tooLong && !text.empty() && (text[0] == L'[' || text[0] == L'{'); }
};

// How an editor reads a file's bytes: by its byte-order mark, else as UTF-8 when LooksUtf8
// holds, else as 1251, one byte a character.
enum class Encoding { Cp1251, Utf8, Utf8Mark, Utf16LittleEndian, Utf16BigEndian };
Encoding EncodingOf(const std::string &bytes);
size_t MarkLength(Encoding encoding);
// "UTF-16 LE с меткой BOM" and the like, for the user.
std::wstring EncodingName(Encoding encoding);

// One character of the file in its encoding. In 1251 every byte is one, its code the byte.
// Not valid: bytes that are no character of the encoding, one unit at a time (a byte of UTF-8,
// a lone surrogate or a last odd byte of UTF-16).
struct Character {
    unsigned code;
    size_t length;  // in bytes
    bool valid;
};
Character CharacterAt(const std::string &bytes, size_t at, Encoding encoding);

// The file as loaded into the launcher's buffers, with its significant lines.
struct ConfigImage {
    std::string bytes;  // what LoadConfigFile read; over the size limit, up to the lines wholly within it
    std::string loaded;  // all it read, over which lines and columns are counted
    Encoding encoding = Encoding::Cp1251;
    bool tooLarge = false;
    std::optional<Reported> sizeReport;
    std::optional<DWORD> cutLine;  // where the line the size limit cuts in two begins
    std::vector<SignificantLine> lines;
    std::vector<DWORD> editorLineStarts;
    DWORD stoppedAt = 0;  // offset of a zero byte at which reading stops, or 0
    bool stopped = false;

    int LineOf(DWORD offset) const;
    int ColumnOf(DWORD offset) const;
    // The line that begins at this offset; -1 when none does.
    int LineStartingAt(DWORD start) const;
};

// Points the launcher's ConfigPath at the file and loads it; throws CannotRead.
ConfigImage OpenConfig(const std::wstring &path);
// Loads the file ConfigPath names, as OpenConfig does once it has set it.
ConfigImage ReadConfigImage();

// How a title that does not fit shows on the launcher's button, measured by check/screens/ on a
// real button of the desktop edition.
struct TitleCut {
    int width = 0;        // of the title's text, in pixels
    int room = 0;         // that the button gives it
    std::wstring shown;   // the letters that show whole
    std::wstring font;    // what it was measured with
};

struct CheckOptions {
    CheckOptions(unsigned pathLength = 100) : pathLength(pathLength) {}
    unsigned pathLength;  // the length of the path "%1" stands for
    // How a title is cut on its button, or nothing when it fits; empty: titles are not measured.
    std::function<std::optional<TitleCut>(const std::wstring &title)> titleCut;
};

// Every finding of the file, in file order. Needs OpenConfig first.
std::vector<Finding> CheckConfig(const ConfigImage &image, const CheckOptions &options);

// The file arguments of the starts the file makes possible, besides the submenus they reach:
// none, a name ending in a dot, each extension the registration pass offers, and one that no
// header names when a "[*]" header stands anywhere. Each path is pathLength characters long,
// or as long as its extension needs.
std::vector<std::wstring> StartArguments(const ConfigImage &image, unsigned pathLength);
// What a push button shows of a title: DrawText's prefix rule takes "&&" for "&" and a lone
// "&" before a character for the mark that underlines it (and says so); a last "&" shows as it
// stands.
std::wstring ShownTitle(const std::wstring &title, bool *underlines = nullptr);
// The extension that stands for any that no header names, on a file of which the launcher
// shows the "[*]" section: one that no header's lowered line holds between brackets.
std::wstring UnnamedExtension(const ConfigImage &image);
// A file of that extension whose path is pathLength characters long where the extension allows.
std::wstring PathWithExtension(const std::wstring &extension, unsigned pathLength);

// What the launcher shows for one row of buttons.
struct Button {
    LaunchEntry entry;
    bool submenu = false;
    bool repeated = false;  // its submenu is shown elsewhere in the tree
    std::wstring submenuKey;
    int row = -1;  // the row its submenu shows, or its report
};
struct Row {
    int depth = 0;  // 0 for the start's row, one more for each submenu below it
    std::wstring key;
    std::optional<Reported> report;  // the launcher reports this instead of a row
    int headerLine = 0;              // the line of the header that matched, 0 when none
    std::wstring header;
    bool notice = false;  // at start-up without a "[]" section: the "Сообщение" notice
    std::vector<Button> buttons;
};
// Every row a start leads to: rows[0] the start's own, the others each under its button, in
// the order they are printed.
struct Shown {
    std::vector<Row> rows;
};

// The launcher started on this argument (empty: without a file), and every submenu it can
// open from there; or, given a submenu key, the launcher after a submenu entry set it, the
// argument staying. Needs OpenConfig first; reads the file afresh as the launcher does.
Shown Show(const ConfigImage &image, const std::wstring &argument, const std::wstring &submenuKey = L"");
// Whether the launcher reports an error anywhere in the tree.
bool Reports(const Shown &shown);

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

// The code point of strict UTF-8 at `at` and its length in bytes; 0 where the bytes are no
// UTF-8 (an overlong form, a surrogate or a code point past U+10FFFF included).
size_t Utf8At(const std::string &bytes, size_t at, unsigned &code);
// Strict UTF-8 holding a character beyond ASCII, and where the first one begins: the one rule
// by which the plain check's warning and --fix tell a UTF-8 file from one in 1251.
bool LooksUtf8(const std::string &bytes, size_t &first);

// Output pieces, also used by the tests.
std::wstring FormatFinding(const std::wstring &file, const Finding &finding);
std::wstring FindingsJson(const std::wstring &file, const std::vector<Finding> &findings);
size_t CountOf(const std::vector<Finding> &findings, Severity severity);
// "FILE: ошибок: 1, предупреждений: 0, замечаний: 2", the plain check's last line.
std::wstring FindingsSummary(const std::wstring &file, const std::vector<Finding> &findings);
std::wstring FormatShown(const Shown &shown);
std::string ToUtf8(const std::wstring &text);
// A message box: its caption, then its text's lines, indented.
std::wstring FormatBox(const std::wstring &indent, const std::wstring &caption, const std::wstring &text);
// Line breaks of a launcher's text as blanks.
std::wstring OneLine(const std::wstring &text);
// A number in decimal digits.
std::wstring Decimal(size_t number);

}  // namespace check
