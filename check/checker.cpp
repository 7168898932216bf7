// The whole-file check. Every error is a report the launcher makes for some start the file
// makes possible: without a file, on a name ending in a dot, on each extension that the
// registration pass offers or that a header can be found by, on one that no header names (when
// a "[*]" header stands), in every submenu reachable from those, and the registration pass itself. The launcher's procedures
// find the sections and read the lines; the checker follows where each start leads and goes
// on past a fault as if it were mended, so that faults the launcher reports one at a time
// show up in one run. A fault that no start reaches is a warning saying why.
#include "check/launcher.h"
#include "app/shell.h"
#include "base/text.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <unordered_map>

namespace check {

namespace {

// A stand-in for the file's path, found again in the parameters when "%1" was replaced.
const wchar_t PathMarker[] = L"\xE000";

// The launcher's reports that the checker names, each told by its caption and a fixed piece.
struct KnownReport {
    const char *code;
    const WCHAR *caption;
    const WCHAR *piece;
};
const KnownReport KnownReports[] = {
    {"no-semicolon", TextErrorCaption, NoSemicolonEnd},
    {"nothing-after-semicolon", TextErrorCaption, NothingAfterSemicolonEnd},
    {"no-second-semicolon", TextErrorCaption, NoSecondSemicolonEnd},
    {"long-title", ButtonTitleCaption, LongTitleText},
    {"no-entries", ButtonTitleErrorCaption, NoEntriesEnd},
    {"long-parameters", ParamlineCaption, LongParametersText},
    {"long-line", IniFileCaption, LongLineText},
    {"long-submenu-name", SubMenuCaption, LongSubmenuNameText},
    {"missing-section", ExtentionErrorCaption, NoSectionEnd},
    {"long-extension", ExtentionCaption, LongExtensionText},
    {"long-argument", ParameterCaption, LongArgumentText},
    {"extensions-too-long", AssociateCaption, ExtensionsTooLongText},
};

std::string CodeOf(const Reported &report) {
    for (const KnownReport &known : KnownReports)
        if (report.Is(known.caption, known.piece)) return known.code;
    return "launcher-report";
}

std::wstring Count(size_t count) { return count > 1 ? L" (таких мест в файле: " + Decimal(count) + L")" : L""; }

// The end of each warning that --fix mends.
const std::wstring FixMends = L"; это исправит velandrimour-check --fix";

// One start of the launcher: its file argument, and the submenu key a button set, if any.
struct Start {
    std::wstring argument;
    std::wstring submenuKey;
    int origin;            // the line that a report of the start itself belongs to, or -1
    bool withFile = true;  // started on a file: not without one, nor on a name ending in a dot
};

class Checker {
public:
    Checker(const ConfigImage &image, const CheckOptions &options) : image_(image), options_(options) {}

    std::vector<Finding> Run() {
        if (image_.tooLarge)
            Add(FileMaxSize, Severity::Error, "file-too-large", OneLine(image_.sizeReport->text));
        if (image_.cutLine)
            Add(*image_.cutLine, Severity::Warning, "cut-by-size-limit",
                L"Граница размера файла (16383 байта) проходит через эту строку: программа не читает такой файл вовсе, "
                L"а проверка читает только строки, целиком лежащие до границы; эта строка и следующие не проверены");
        // In UTF-16 every other byte is zero: the launcher reads a character or none per line,
        // and a warning about those lines would only restate that. What it reports or shows
        // without the path is still said, as for any file.
        bool utf16 = image_.encoding == Encoding::Utf16LittleEndian || image_.encoding == Encoding::Utf16BigEndian;
        if (utf16)
            AddMended(0, "utf16",
                L"Файл сохранён в " + EncodingName(image_.encoding) + L": программа читает его байт за байтом в "
                L"кодировке 1251, а в нём каждый символ занимает два байта, и нулевой байт, который есть у каждой "
                L"латинской и русской буквы, обрывает строку; сохраните файл в кодировке 1251");
        CheckShape();
        FindHeaders();
        sections_ = LinesOfSections(image_, headers_);
        CheckLineShapes();
        CollectKeys();
        RunRegistration();
        WalkStarts();
        ReportUnreached();
        CheckWholeFile();
        if (utf16)
            findings_.erase(std::remove_if(findings_.begin(), findings_.end(), [](const Finding &finding) {
                return finding.severity == Severity::Warning && finding.code != "utf16" && finding.code != "cut-by-size-limit";
            }), findings_.end());
        std::stable_sort(findings_.begin(), findings_.end(), [](const Finding &a, const Finding &b) {
            return a.line != b.line ? a.line < b.line : a.column < b.column;
        });
        return findings_;
    }

    // The file arguments of the starts, each once, in the order they are followed.
    std::vector<std::wstring> Starts() {
        FindHeaders();
        CollectKeys();
        RunRegistration();
        std::vector<std::wstring> arguments;
        std::set<std::wstring> seen;
        for (const Start &start : starts_)
            if (seen.insert(start.argument).second) arguments.push_back(start.argument);
        return arguments;
    }

private:
    const std::vector<SignificantLine> &lines() const { return image_.lines; }

    void Add(DWORD offset, Severity severity, const std::string &code, const std::wstring &text, bool mended = false) {
        if (!added_.insert({offset, code}).second) return;
        findings_.push_back({image_.LineOf(offset), image_.ColumnOf(offset), severity, code, text, mended});
    }

    // A warning of what --fix mends, which says so.
    void AddMended(DWORD offset, const std::string &code, const std::wstring &text) {
        Add(offset, Severity::Warning, code, text + FixMends, true);
    }

    void CheckShape() {
        const std::string &bytes = image_.bytes;
        size_t first = 0;
        if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            // What the three characters make of the first line: its first one after them, and any
            // spaces, which the mark keeps in the line.
            size_t lead = lines().empty() ? std::wstring::npos : lines()[0].text.find_first_not_of(L' ', 3);
            wchar_t character = lead == std::wstring::npos ? 0 : lines()[0].text[lead];
            std::wstring made = character == L'[' || character == L'{' ? L", и заголовок в ней перестаёт быть заголовком"
                                : character == L';'                   ? L", и комментарий в ней перестаёт быть комментарием"
                                                                      : L"";
            AddMended(0, "byte-order-mark",
                L"Файл начинается с метки порядка байтов UTF-8 (BOM): программа читает её как три символа в начале "
                L"первой строки" + made + L"; сохраните файл в кодировке 1251 без BOM");
        } else if (LooksUtf8(bytes, first)) {
            AddMended((DWORD)first, "utf8",
                L"Файл сохранён в UTF-8: программа читает его в кодировке 1251, и каждый символ вне ASCII станет "
                L"другими символами; сохраните файл в кодировке 1251");
        }
        size_t loneFeeds = 0, lostBytes = 0, zeros = 0, firstFeed = 0, firstLost = 0, firstZero = 0;
        // A zero byte that a CR takes along is only lost; one past where reading stops is never read;
        // the last byte, ending the data, is one of its own.
        size_t read = image_.stopped ? image_.stoppedAt : bytes.size() - 1;
        bool lastZero = false;
        for (size_t at = 0; at < bytes.size(); at++) {
            bool afterReturn = at > 0 && bytes[at - 1] == '\r';
            if (bytes[at] == '\n' && !afterReturn && loneFeeds++ == 0) firstFeed = at;
            if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] != '\n' && lostBytes++ == 0)
                firstLost = at + 1;
            if (bytes[at] == 0 && !afterReturn && at < read && zeros++ == 0) firstZero = at;
            lastZero |= bytes[at] == 0 && !afterReturn && !image_.stopped && at == read;
        }
        if (loneFeeds)
            AddMended((DWORD)firstFeed, "lone-line-feed",
                L"Перевод строки (LF) без возврата каретки (CR): для программы это не конец строки, а символ в ней; "
                L"строки должны кончаться на CR LF" + Count(loneFeeds));
        if (lostBytes)
            AddMended((DWORD)firstLost, "lone-carriage-return",
                L"После возврата каретки (CR) стоит не перевод строки (LF): программа отбрасывает байт после CR, и он "
                L"теряется" + Count(lostBytes));
        if (image_.stopped)
            Add(image_.stoppedAt, Severity::Warning, "zero-byte",
                L"Нулевой байт в начале строки: программа принимает его за конец файла, и всё, что дальше, не читает");
        if (lastZero)
            Add((DWORD)read, Severity::Warning, "zero-byte",
                L"Нулевой байт в конце файла: программа принимает его за конец данных; в текстовом файле ему не место");
        if (zeros)
            Add((DWORD)firstZero, Severity::Warning, "zero-byte",
                L"Нулевой байт внутри строки: программа обрывает на нём строку и читает то, что за ним, как новую "
                L"строку" + Count(zeros));
    }

    // The headers, the first "[*]" among them, and the key that stands for any extension none names.
    void FindHeaders() {
        for (size_t index = 0; index < lines().size(); index++)
            if (lines()[index].header()) {
                headers_.push_back((int)index);
                if (firstWildcard_ < 0 && lines()[index].text.find(L"[*]") != std::wstring::npos)
                    firstWildcard_ = (int)index;
            }
        unnamedKey_ = L"[" + UnnamedExtension(image_) + L"]";
    }

    void CheckLineShapes() {
        int firstHeader = headers_.empty() ? (int)lines().size() : headers_[0];
        for (int index = 0; index < (int)lines().size(); index++) {
            const SignificantLine &line = lines()[index];
            if (line.tooLong) continue;
            if (line.text[0] == L'\t')
                Add(line.start, Severity::Warning, "leading-tab",
                    L"Строка начинается с табуляции: программа не считает её ни заголовком, ни комментарием "
                    L"(отбрасываются только пробелы в начале строки)");
            if (index < firstHeader)
                Add(line.start, Severity::Warning, "text-before-header",
                    L"Строка стоит до первого заголовка: она не относится ни к одному разделу, и программа её пропускает");
        }
    }

    // The keys each header can be found by: the pieces of its lowered line that a key could be,
    // "[" an extension of at most 40 characters without a dot "]", or "{" a name of at most 40
    // characters "}". FindSection looks for the key inside the lowered line, so any key it
    // finds there is one of these pieces, and the first header holding a piece is where the
    // search for it stops, unless a "[*]" header comes first and the key is not a no-argument one.
    void CollectKeys() {
        for (int header : headers_) {
            std::wstring lowered = Lowered(lines()[header].text);
            std::vector<std::wstring> &keys = keys_[header];
            for (size_t open = 0; open < lowered.size(); open++) {
                wchar_t close = lowered[open] == L'[' ? L']' : lowered[open] == L'{' ? L'}' : 0;
                if (!close) continue;
                size_t name = close == L']' ? ExtensionMaxLength : SubmenuNameMaxLength;
                size_t limit = std::min(lowered.size(), open + 2 + name);
                for (size_t end = open + 1; end < limit; end++) {
                    if (close == L']' && lowered[end] == L'.') break;
                    if (lowered[end] != close) continue;
                    std::wstring key = lowered.substr(open, end - open + 1);
                    keys.push_back(key);
                    firstHolder_.emplace(key, header);
                }
            }
        }
    }

    // The header that FindSection stops at for the key, in the file whose too-long lines were mended.
    int Catcher(const std::wstring &key) const {
        auto holder = firstHolder_.find(key);
        int held = holder == firstHolder_.end() ? -1 : holder->second;
        if (key.find(L"[]") != std::wstring::npos || firstWildcard_ < 0) return held;
        return held < 0 ? firstWildcard_ : std::min(held, firstWildcard_);
    }

    // The registration pass over the file, as "Ассоциировать по INI-файлу" makes it; its
    // extensions become starts. A file over the size limit it never reads.
    void RunRegistration() {
        starts_.push_back({L"", L"", -1, false});
        starts_.push_back({PathWithExtension(L"", options_.pathLength), L"", -1, false});
        if (!image_.tooLarge) CollectRegisteredStarts();
        // A header is found by its keys wherever they stand, so "{m} [txt]" takes a .txt file
        // although the registration pass never offers txt from it. A file of an extension no
        // header names stands for "[*]", which no file's name ends in.
        for (int header : headers_)
            for (const std::wstring &key : keys_[header])
                if (key[0] == L'[' && key != L"[*]")
                    starts_.push_back({PathWithExtension(key.substr(1, key.size() - 2), options_.pathLength), L"", header});
        if (firstWildcard_ >= 0)
            starts_.push_back({PathWithExtension(unnamedKey_.substr(1, unnamedKey_.size() - 2), options_.pathLength), L"", -1});
    }

    void CollectRegisteredStarts() {
        try {
            try {
                CollectExtensions();
            } catch (const Reported &report) {
                // Past a too-long line the pass goes on as if it were mended, every line where it was.
                if (!report.Is(IniFileCaption, LongLineText) || !CollectExtensionsMended(image_)) throw;
            }
        } catch (const Reported &report) {
            int line = image_.LineStartingAt(FileLineStart);
            if (line >= 0 && !report.Is(IniFileCaption, LongLineText))
                Add(lines()[line].start, Severity::Error, CodeOf(report), OneLine(report.text));
            // The extensions gathered before the report are still in the list; those behind it
            // are not followed.
        }
        // Mended, every too-long line up to the extension header holding "[*]" is read by it.
        for (int index = 0; index < (int)lines().size(); index++) {
            const SignificantLine &line = lines()[index];
            if (line.tooLong) ReachLongLine(index);
            else if (line.text[0] == L'[' && line.text.find(L"[*]") != std::wstring::npos) break;
        }
        std::wstring list(ExtensionList);
        // The list is the collected header lines one after another: where each name comes from.
        std::vector<std::pair<size_t, int>> collected;
        size_t offset = 0;
        for (int index = 0; index < (int)lines().size(); index++) {
            const SignificantLine &line = lines()[index];
            if (line.tooLong || line.text[0] != L'[') continue;
            if (list.compare(offset, line.text.size(), line.text) != 0) break;
            collected.push_back({offset, index});
            offset += line.text.size();
        }
        ExtensionCursor = ExtensionList;
        while (NextExtension()) {
            std::wstring name(CurrentExtension);
            size_t at = (size_t)(CurrentExtension - ExtensionList) - 1;
            int origin = -1;
            for (const auto &[start, line] : collected)
                if (start <= at) origin = line;
            DWORD where = origin >= 0 ? lines()[origin].start : 0;
            if (name.size() > RegisteredExtensionMaxLength) {
                Add(where, Severity::Warning, "extension-refused",
                    L"Расширение «" + name + L"» длиннее 50 символов: «Ассоциировать по INI-файлу» откажет в нём с "
                    L"сообщением «" + LongExtensionText + L"»");
                continue;
            }
            if (name.find(L'.') != std::wstring::npos)
                Add(where, Severity::Warning, "dotted-extension",
                    L"В расширении «" + name + L"» есть точка: расширением файла программа считает то, что после "
                    L"последней точки, и файл «*." + name + L"» ищет по ключу «[" + Lowered(name.substr(name.rfind(L'.') + 1)) +
                    L"]»");
            starts_.push_back({PathWithExtension(name, options_.pathLength), L"", origin});
        }
    }

    // Every start and every submenu it reaches, breadth first.
    void WalkStarts() {
        std::deque<Start> queue(starts_.begin(), starts_.end());
        std::set<std::pair<std::wstring, std::wstring>> seen;
        while (!queue.empty()) {
            Start start = queue.front();
            queue.pop_front();
            DWORD where = start.origin >= 0 ? lines()[start.origin].start : 0;
            try {
                SetFileArgument(start.argument.c_str());
                CopyText(SectionKey, start.submenuKey.c_str());
                BuildSectionKey();
            } catch (const Reported &report) {
                std::wstring name = start.argument.substr(start.argument.rfind(L'.') + 1);
                Add(where, Severity::Error, CodeOf(report),
                    OneLine(report.text) + L" (файл с расширением «" + name + L"»)");
                continue;
            }
            std::wstring key(SectionKey);
            if (!seen.insert({start.argument, key}).second) continue;
            // Without a file, or on a name ending in a dot, the start's key is the no-argument key itself.
            start.withFile &= !start.submenuKey.empty() || key != L"[]";
            const SectionFound &found = Found(key);
            for (int line : found.longLines) ReachLongLine(line);
            if (found.missing && start.origin >= 0)
                Add(where, Severity::Error, start.submenuKey.empty() ? "missing-section" : "missing-submenu",
                    OneLine(found.missing->text));
            if (found.header >= 0) ReadSection(found.header, key, start, queue);
        }
    }

    const SectionFound &Found(const std::wstring &key) {
        auto known = found_.find(key);
        if (known != found_.end()) return known->second;
        return found_[key] = SectionFoundBy(image_, key);
    }

    void ReachLongLine(int line) {
        longLinesRead_.insert(line);
        Add(lines()[line].start, Severity::Error, "long-line", LongLineText);
    }

    // The section's lines as ParseEntries reads them for this key and argument.
    void ReadSection(int header, const std::wstring &key, const Start &start, std::deque<Start> &queue) {
        // A section reads the same for every path of the same kind (with a file or without), unless
        // it or a submenu it opens puts the path in: then it is read again for each path.
        std::wstring kind = UsesArgumentBelow(header) ? L"=" + start.argument : start.withFile ? L"file" : L"";
        if (!sectionsRead_.insert({header, kind}).second) return;
        reachedBy_.emplace(header, key);
        const SectionLines &read = sections_[header];
        for (int index = header + 1; index < read.end; index++) {
            if (lines()[index].tooLong) ReachLongLine(index);
            else if (!lines()[index].header()) CheckEntry(lines()[index], key, start, queue);
        }
        if (read.slots.empty())
            Add(lines()[header].start, Severity::Error, "no-entries", Named(NoEntriesText(header, key, start.argument), key));
    }

    bool UsesArgument(int header) const {
        for (int index = header + 1; index < (int)lines().size() && !lines()[index].header(); index++)
            if (lines()[index].text.find(L"%1") != std::wstring::npos) return true;
        return false;
    }

    // Whether the section or a submenu it opens, however deep, holds "%1". A section without one
    // opens the same submenus for every path, so they can be found with any.
    bool UsesArgumentBelow(int header) {
        auto known = usesBelow_.find(header);
        if (known != usesBelow_.end()) return known->second;
        std::vector<int> pending{header};
        std::set<int> seen{header};
        while (!pending.empty()) {
            int at = pending.back();
            pending.pop_back();
            if (UsesArgument(at) || (at != header && usesBelow_.count(at) && usesBelow_[at])) return usesBelow_[header] = true;
            if (usesBelow_.count(at) && at != header) continue;
            for (int index : sections_[at].slots) {
                if (lines()[index].tooLong) continue;
                Parsed parsed = ParseLine(lines()[index], L"", L"");
                if (parsed.report || !IsSubmenuEntry(parsed.entry)) continue;
                try {
                    SelectSubmenu(parsed.entry);
                } catch (const Reported &) {
                    continue;
                }
                int opened = Found(SectionKey).header;
                if (opened >= 0 && seen.insert(opened).second) pending.push_back(opened);
            }
        }
        // Nothing below any of them holds one either.
        for (int at : seen) usesBelow_[at] = false;
        return false;
    }

    // A report's text for a file of the extension no header names, with that extension named.
    std::wstring Named(const std::wstring &text, const std::wstring &key) const {
        if (key != unnamedKey_) return text;
        return text + L" (на файле с расширением, которого нет ни в одном заголовке; здесь это «" +
               key.substr(1, key.size() - 2) + L"»)";
    }

    std::wstring NoEntriesText(int header, const std::wstring &key, const std::wstring &argument) {
        DWORD end = lines()[header].end;
        return OneLine(ParseSection(end, end, key, argument).report->text);
    }

    void CheckEntry(const SignificantLine &line, const std::wstring &key, const Start &start, std::deque<Start> &queue) {
        const std::wstring &argument = start.argument;
        Parsed parsed = ParseLine(line, key, argument);
        if (parsed.report) {
            std::wstring text = OneLine(parsed.report->text);
            if (parsed.report->Is(ParamlineCaption, LongParametersText)) {
                unsigned low = 0, high = (unsigned)argument.size();  // fails at high, not at low
                while (high - low > 1) {
                    unsigned middle = (low + high) / 2;
                    (FailsAt(line, key, middle) ? high : low) = middle;
                }
                text += L" (с путём к файлу длиной от " + Decimal(high) + L" символов)";
            }
            Add(line.start, Severity::Error, CodeOf(*parsed.report), Named(text, key));
            return;
        }
        const LaunchEntry &entry = parsed.entry;
        CheckTitle(line, entry.Title);
        if (!IsSubmenuEntry(entry)) {
            // A start without a file, or on a name ending in a dot, has no path to pass.
            if (start.withFile && !wcsstr(ParseLine(line, key, PathMarker).entry.Parameters, PathMarker)) {
                std::wstring command(entry.Command);
                Add(line.start, Severity::Note, "no-file-argument",
                    command.empty() ? L"В параметрах нет «%1», а команда пуста: кнопка ничего не запустит, программа "
                                      L"сообщит «" + std::wstring(StartFailedStart) + StartFailedEnd + L"»"
                                    : L"В параметрах нет «%1»: программа «" + command + L"» запустится без пути к файлу");
            }
            return;
        }
        std::wstring command(entry.Command), name(entry.Parameters);
        if (command != L"menu" && command != L"MENU")
            Add(line.start, Severity::Warning, "menu-in-command",
                L"Команда «" + command + L"» содержит «menu» или «MENU»: кнопка откроет подменю «" + name +
                    L"», а не запустит программу");
        try {
            SelectSubmenu(entry);
        } catch (const Reported &report) {
            Add(line.start, Severity::Error, CodeOf(report), OneLine(report.text));
            return;
        }
        if (Lowered(name) != name)
            Add(line.start, Severity::Warning, "submenu-capital",
                L"В имени подменю «" + name + L"» есть заглавные буквы: заголовки сравниваются в нижнем регистре, и "
                L"его заголовок никогда не подойдёт");
        queue.push_back({argument, SectionKey, image_.LineStartingAt(line.start), start.withFile});
    }

    // What the button shows of the title: "&" taken for the underline mark, and letters cut
    // off where the title is wider than the button.
    void CheckTitle(const SignificantLine &line, const std::wstring &title) {
        bool underlines = false;
        std::wstring shown = ShownTitle(title, &underlines);
        if (underlines)
            Add(line.start, Severity::Warning, "title-ampersand",
                L"В надписи «" + title + L"» знак «&» не виден: кнопка подчёркивает знак после него, и надпись "
                L"будет «" + shown + L"»; чтобы показать «&», напишите «&&»");
        std::optional<TitleCut> cut = options_.titleCut ? options_.titleCut(title) : std::nullopt;
        if (cut)
            Add(line.start, Severity::Warning, "title-cut",
                L"Надпись «" + shown + L"» не помещается на кнопке: целиком видно только «" + cut->shown + L"» (ширина " +
                    Decimal(cut->width) + L" точек при месте " + Decimal(cut->room) +
                    L"; измерено шрифтом настольной версии, " + cut->font + L")");
    }

    bool FailsAt(const SignificantLine &line, const std::wstring &key, unsigned pathLength) {
        std::optional<Reported> report = ParseLine(line, key, std::wstring(pathLength, L'x')).report;
        return report && report->Is(ParamlineCaption, LongParametersText);
    }

    Parsed ParseLine(const SignificantLine &line, const std::wstring &key, const std::wstring &argument) {
        return ParseSection(line.start, line.end, key, argument);
    }

    // Why no start reads the section, said of its header: an earlier header catches all its keys,
    // it holds none, or no button of this file opens a submenu it names. True when no key can
    // ever reach the header.
    bool WhyUnread(int header, std::wstring &why) {
        const std::vector<std::wstring> &keys = keys_[header];
        if (keys.empty() && header != firstWildcard_) {
            why = L"в нём нет ни «[расширение]», ни «[]», ни «{подменю}», которые могли бы быть ключом";
            return true;
        }
        int earlier = header;
        for (const std::wstring &key : keys) {
            int catcher = Catcher(key);
            if (catcher == header || header == firstWildcard_) {
                why = L"ни одна кнопка не открывает подменю, которое он называет";
                return false;
            }
            earlier = std::min(earlier, catcher);
        }
        why = L"все его ключи раньше находит заголовок в строке " + Decimal(image_.LineOf(lines()[earlier].start)) +
              L" «" + lines()[earlier].text + L"»";
        return true;
    }

    // Faults that no start reaches, as warnings that say why; and headers no key can reach.
    void ReportUnreached() {
        for (int line = 0; line < (int)lines().size(); line++)
            if (lines()[line].tooLong && !longLinesRead_.count(line))
                Add(lines()[line].start, Severity::Warning, "long-line",
                    std::wstring(LongLineText) + L" (программа её не читает: до неё не доходит ни один запуск, ни одно "
                    L"подменю и ни «Ассоциировать по INI-файлу»)");
        for (size_t at = 0; at < headers_.size(); at++) {
            int header = headers_[at];
            int next = at + 1 < headers_.size() ? headers_[at + 1] : (int)lines().size();
            for (int entry = sections_[header].end; entry < next; entry++)
                if (!lines()[entry].tooLong) {
                    Add(lines()[entry].start, Severity::Warning, "entry-never-read",
                        L"Запись после шестой: программа берёт из раздела не больше шести кнопок, эта строка и "
                        L"следующие не читаются");
                    break;
                }
            std::wstring why;
            bool never = WhyUnread(header, why);
            if (never)
                Add(lines()[header].start, Severity::Warning, "header-never-matches",
                    L"Этот заголовок никогда не подходит: " + why);
            if (reachedBy_.count(header)) continue;
            std::wstring key = keys_[header].empty() ? lines()[header].text.substr(0, SectionKeyCapacity - 2)
                                                      : keys_[header][0];
            std::wstring argument = PathWithExtension(L"", options_.pathLength);
            std::wstring because = L" (программа не читает этот раздел: " +
                                   (never ? L"его заголовок никогда не подходит — " + why : why) + L")";
            const SectionLines &read = sections_[header];
            if (read.slots.empty())
                Add(lines()[header].start, Severity::Warning, "no-entries",
                    NoEntriesText(header, key, argument) + because);
            for (int entry : read.slots) {
                if (lines()[entry].tooLong) continue;
                Parsed parsed = ParseLine(lines()[entry], key, argument);
                if (parsed.report)
                    Add(lines()[entry].start, Severity::Warning, CodeOf(*parsed.report),
                        OneLine(parsed.report->text) + because);
                else
                    CheckTitle(lines()[entry], parsed.entry.Title);
            }
        }
    }

    void CheckWholeFile() {
        if (Found(L"[]").header < 0)
            Add(0, Severity::Warning, "no-quick-launch", NoQuickLaunchNotice);
        if (firstWildcard_ < 0)
            Add(0, Severity::Warning, "no-wildcard",
                L"Нет раздела [*]: файл, у расширения которого нет своего раздела, получит сообщение «В файле "
                L"velandrimour.ini нет раздела для расширения \"[…],\" а так же раздела для [*].»");
    }

    const ConfigImage &image_;
    const CheckOptions &options_;
    std::vector<Finding> findings_;
    std::set<std::pair<DWORD, std::string>> added_;
    std::vector<int> headers_;
    int firstWildcard_ = -1;
    std::map<int, std::vector<std::wstring>> keys_;
    std::unordered_map<std::wstring, int> firstHolder_;
    std::vector<Start> starts_;
    std::map<std::wstring, SectionFound> found_;
    std::set<std::pair<int, std::wstring>> sectionsRead_;
    std::map<int, std::wstring> reachedBy_;
    std::set<int> longLinesRead_;
    std::map<int, SectionLines> sections_;
    std::map<int, bool> usesBelow_;
    std::wstring unnamedKey_;
};

}  // namespace

// The code point of strict UTF-8 at `at` and its length in bytes; 0 when the bytes there are
// no UTF-8 (an overlong form, a surrogate or a code point past U+10FFFF included).
size_t Utf8At(const std::string &bytes, size_t at, unsigned &code) {
    unsigned char lead = (unsigned char)bytes[at];
    unsigned char low = 0x80, high = 0xBF;
    size_t length;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) return 0;
    for (size_t next = 1; next < length; next++) {
        unsigned char byte = (unsigned char)bytes[at + next];
        if (byte < (next == 1 ? low : 0x80) || byte > (next == 1 ? high : 0xBF)) return 0;
        code = code << 6 | (byte & 0x3F);
    }
    return length;
}

// Valid UTF-8 with at least one character beyond ASCII. Text in 1251 practically never is:
// its small letters are lead bytes that would need continuation bytes after them.
bool LooksUtf8(const std::string &bytes, size_t &first) {
    bool beyondAscii = false;
    unsigned code;
    for (size_t at = 0, length; at < bytes.size(); at += length) {
        length = Utf8At(bytes, at, code);
        if (length == 0) return false;
        if (length > 1 && !beyondAscii) {
            beyondAscii = true;
            first = at;
        }
    }
    return beyondAscii;
}

std::wstring Decimal(size_t number) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), wchar_t(L'0' + number % 10));
        number /= 10;
    } while (number);
    return digits;
}

std::wstring UnnamedExtension(const ConfigImage &image) {
    for (size_t number = 0;; number++) {
        std::wstring extension = L"xyz" + (number ? Decimal(number) : L"");
        bool named = false;
        for (const SignificantLine &line : image.lines)
            named |= line.header() && Lowered(line.text).find(L"[" + extension + L"]") != std::wstring::npos;
        if (!named) return extension;
    }
}

std::wstring PathWithExtension(const std::wstring &extension, unsigned pathLength) {
    size_t filler = std::max<size_t>(pathLength, extension.size() + 2) - extension.size() - 1;
    return std::wstring(filler, L'x') + L"." + extension;
}

std::wstring ShownTitle(const std::wstring &title, bool *underlines) {
    std::wstring shown;
    for (size_t at = 0; at < title.size(); at++) {
        if (title[at] == L'&' && at + 1 < title.size() && title[++at] != L'&' && underlines) *underlines = true;
        shown += title[at];
    }
    return shown;
}

std::vector<std::wstring> StartArguments(const ConfigImage &image, unsigned pathLength) {
    SavedLauncherState saved;
    CheckOptions options;
    options.pathLength = pathLength;
    return Checker(image, options).Starts();
}

std::vector<Finding> CheckConfig(const ConfigImage &image, const CheckOptions &options) {
    SavedLauncherState saved;
    return Checker(image, options).Run();
}

size_t CountOf(const std::vector<Finding> &findings, Severity severity) {
    size_t count = 0;
    for (const Finding &finding : findings) count += finding.severity == severity;
    return count;
}

std::wstring FindingsSummary(const std::wstring &file, const std::vector<Finding> &findings) {
    return file + L": ошибок: " + Decimal(CountOf(findings, Severity::Error)) + L", предупреждений: " +
           Decimal(CountOf(findings, Severity::Warning)) + L", замечаний: " + Decimal(CountOf(findings, Severity::Note));
}

}  // namespace check
