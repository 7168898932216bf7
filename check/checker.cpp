// The whole-file check. What the launcher reports comes from the launcher's own procedures,
// run over each section, each entry line and each key in turn; the checker adds only what the
// launcher never says: where a line lies, and the warnings about headers, submenus and the
// file's shape.
#include "check/checker.h"
#include "check/launcher.h"
#include "check/procedures.h"

#include <algorithm>
#include <set>

namespace check {

namespace {

// A stand-in for the file's path, found again in the parameters when "%1" was replaced.
const wchar_t PathMarker[] = L"\xE000";

std::string CodeOfReport(const Reported &report) {
    auto endsWith = [&](const wchar_t *tail) {
        std::wstring end(tail);
        return report.text.size() >= end.size() && report.text.compare(report.text.size() - end.size(), end.size(), end) == 0;
    };
    if (report.caption == L"Text error") {
        if (endsWith(L"без ';'.")) return "no-semicolon";
        if (endsWith(L"без второго параметра.")) return "nothing-after-semicolon";
        if (endsWith(L"без второго ';'.")) return "no-second-semicolon";
    }
    if (report.caption == L"Button title") return "long-title";
    if (report.caption == L"Button title error") return "no-entries";
    if (report.caption == L"Execline") return "long-command";
    if (report.caption == L"Paramline") return "long-parameters";
    if (report.caption == L"INI-file") return "long-line";
    return "launcher-report";
}

std::wstring Count(size_t count) {
    return count > 1 ? L" (таких мест в файле: " + std::to_wstring(count) + L")" : L"";
}

// Whether the bytes are UTF-8 with at least one multi-byte sequence; where the first one is.
bool LooksUtf8(const std::string &bytes, size_t &first) {
    bool any = false;
    for (size_t at = 0; at < bytes.size();) {
        unsigned char lead = (unsigned char)bytes[at];
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || at + length > bytes.size()) return false;
        for (size_t next = 1; next < length; next++)
            if (((unsigned char)bytes[at + next] >> 6) != 2) return false;
        if (length > 1 && !any) {
            any = true;
            first = at;
        }
        at += length;
    }
    return any;
}

class Checker {
public:
    Checker(const ConfigImage &image, const CheckOptions &options) : image_(image), options_(options) {}

    std::vector<Finding> Run() {
        findings_ = image_.readFindings;
        if (image_.tooLarge)
            Add(FileMaxSize, Severity::Error, "file-too-large", OneLine(image_.sizeReport->text));
        CheckShape();
        CheckRegistration();
        for (size_t index = 0; index < image_.lines.size(); index++)
            if (image_.lines[index].header()) headers_.push_back((int)index);
        int firstHeader = headers_.empty() ? (int)image_.lines.size() : headers_[0];
        for (int index = 0; index < (int)image_.lines.size(); index++) {
            const SignificantLine &line = image_.lines[index];
            if (line.text[0] == L'\t')
                Add(line.start, Severity::Warning, "leading-tab",
                    L"Строка начинается с табуляции: программа не считает её ни заголовком, ни комментарием "
                    L"(отбрасываются только пробелы в начале строки)");
            if (index < firstHeader)
                Add(line.start, Severity::Warning, "text-before-header",
                    L"Строка стоит до первого заголовка: она не относится ни к одному разделу, и программа её не читает");
        }
        for (size_t at = 0; at < headers_.size(); at++)
            CheckSection(headers_[at], at + 1 < headers_.size() ? headers_[at + 1] : (int)image_.lines.size());
        CheckWholeFile();
        std::stable_sort(findings_.begin(), findings_.end(), [](const Finding &a, const Finding &b) {
            return a.line != b.line ? a.line < b.line : a.column < b.column;
        });
        return findings_;
    }

private:
    void Add(DWORD offset, Severity severity, const char *code, const std::wstring &text) {
        findings_.push_back({image_.LineOf(offset), image_.ColumnOf(offset), severity, code, text});
    }

    void CheckShape() {
        const std::string &bytes = image_.bytes;
        size_t first = 0;
        if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
            Add(0, Severity::Warning, "byte-order-mark",
                L"Файл начинается с метки порядка байтов UTF-8 (BOM): программа читает её как три символа в начале "
                L"первой строки, и первый заголовок перестаёт быть заголовком; сохраните файл в кодировке 1251 без BOM");
        else if (LooksUtf8(bytes, first))
            Add((DWORD)first, Severity::Warning, "utf8",
                L"Файл сохранён в UTF-8: программа читает его в кодировке 1251, и русские буквы станут другими "
                L"символами; сохраните файл в кодировке 1251");
        size_t loneFeeds = 0, lostBytes = 0, zeros = 0, firstFeed = 0, firstLost = 0, firstZero = 0;
        for (size_t at = 0; at < bytes.size(); at++) {
            if (bytes[at] == '\n' && (at == 0 || bytes[at - 1] != '\r') && loneFeeds++ == 0) firstFeed = at;
            if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] != '\n' && lostBytes++ == 0)
                firstLost = at + 1;
            if (bytes[at] == 0 && zeros++ == 0) firstZero = at;
        }
        if (loneFeeds)
            Add((DWORD)firstFeed, Severity::Warning, "lone-line-feed",
                L"Перевод строки (LF) без возврата каретки (CR): для программы это не конец строки, а символ в ней; "
                L"строки должны кончаться на CR LF" + Count(loneFeeds));
        if (lostBytes)
            Add((DWORD)firstLost, Severity::Warning, "lone-carriage-return",
                L"После возврата каретки (CR) стоит не перевод строки (LF): программа отбрасывает байт после CR, и он "
                L"теряется" + Count(lostBytes));
        if (image_.stopped)
            Add(image_.stoppedAt, Severity::Warning, "zero-byte",
                L"Нулевой байт в начале строки: программа принимает его за конец файла, и всё, что дальше, не читает");
        else if (zeros)
            Add((DWORD)firstZero, Severity::Warning, "zero-byte",
                L"Нулевой байт внутри строки: программа обрывает на нём строку и читает остаток как новую строку" +
                    Count(zeros));
    }

    // The registration pass over the file, as "Ассоциировать по INI-файлу" makes it.
    void CheckRegistration() {
        if (image_.tooLarge) return;
        try {
            CollectExtensions();
            while (NextExtension()) registered_.insert(CurrentExtension);
        } catch (const Reported &report) {
            int line = image_.LineEndingAt(FileReadPosition);
            if (report.caption == L"Associate" && line >= 0)
                Add(image_.lines[line].start, Severity::Error, "extensions-too-long", OneLine(report.text));
        }
        Reload();
    }

    // The reader's buffers as OpenConfig left them, after a procedure that loads the file.
    void Reload() {
        memcpy(FileBuffer, image_.bytes.data(), image_.bytes.size());
        FileByteCount = (DWORD)image_.bytes.size();
        FileReadPosition = 0;
    }

    void CheckSection(int header, int next) {
        const SignificantLine &line = image_.lines[header];
        std::vector<HeaderKey> keys = KeysOfHeader(line.text);
        bool wildcard = line.text.find(L"[*]") != std::wstring::npos;
        bool quickOnly = !wildcard;
        bool forFiles = wildcard;
        std::wstring sectionKey;
        std::vector<const HeaderKey *> usable;
        bool named = false;  // a name of its own is already warned about
        for (const HeaderKey &key : keys) {
            bool extension = key.key[0] == L'[' && !key.wildcard && !key.name.empty();
            if (key.name.size() > ExtensionMaxLength && key.key[0] == L'[') {
                named = true;
                if (key.name.size() > RegisteredExtensionMaxLength && registered_.count(key.name))
                    Add(line.start, Severity::Warning, "extension-refused",
                        L"Расширение «" + key.name + L"» длиннее 50 символов: «Ассоциировать по INI-файлу» откажет "
                        L"в нём с сообщением «Слишком длинное расширение.», а файл с ним получит то же сообщение");
                else
                    Add(line.start, Severity::Warning, "long-extension",
                        L"Расширение «" + key.name + L"» длиннее 40 символов: этот заголовок для него никогда не "
                        L"подходит, файл с ним получит сообщение «Слишком длинное расширение.»");
                continue;
            }
            if (key.name.size() > SubmenuNameMaxLength) continue;
            if (extension && key.name.find(L'.') != std::wstring::npos) {
                named = true;
                Add(line.start, Severity::Warning, "dotted-extension",
                    L"В расширении «" + key.name + L"» есть точка: расширением файла программа считает то, что после "
                    L"последней точки, и этот заголовок для него никогда не подходит");
                continue;
            }
            if (key.wildcard) continue;
            if (sectionKey.empty()) sectionKey = key.key;
            if (key.key != L"[]") quickOnly = false;
            if (extension) forFiles = true;
            usable.push_back(&key);
        }
        if (sectionKey.empty()) sectionKey = wildcard ? L"[*]" : line.text.substr(0, SectionKeyCapacity - 2);
        CheckReach(header, usable, wildcard, named);

        if (next == header + 1) {
            std::optional<Reported> report = ParseSection(line.end, (DWORD)image_.bytes.size(), sectionKey, L"").report;
            if (report && report->caption == L"Button title error")
                Add(line.start, Severity::Error, "no-entries", OneLine(report->text));
        }
        for (int entry = header + 1; entry < next; entry++) {
            if (entry - header - 1 == EntrySlots) {
                Add(image_.lines[entry].start, Severity::Warning, "entry-never-read",
                    L"Запись после шестой: программа берёт из раздела не больше шести кнопок, эта строка и следующие "
                    L"не читаются");
                break;
            }
            CheckEntry(image_.lines[entry], sectionKey, quickOnly, forFiles);
        }
    }

    // A header that no key finds: an earlier header takes every key it names.
    void CheckReach(int header, const std::vector<const HeaderKey *> &usable, bool wildcard, bool named) {
        bool reached = false;
        int earlier = -1;
        if (wildcard) {
            int first = FirstWildcard();
            if (first == header) reached = true;
            else earlier = first;
        }
        for (const HeaderKey *key : usable) {
            Match match = FindFor(image_, key->key);
            if (match.header == header || (match.report && match.report->caption == L"INI-file")) reached = true;
            else if (match.header >= 0 && earlier < 0) earlier = match.header;
        }
        const SignificantLine &line = image_.lines[header];
        if (reached) return;
        if (earlier >= 0)
            Add(line.start, Severity::Warning, "header-never-matches",
                L"Этот заголовок никогда не подходит: все его ключи раньше находит заголовок в строке " +
                    std::to_wstring(image_.LineOf(image_.lines[earlier].start)) + L" «" + image_.lines[earlier].text + L"»");
        else if (!named)
            Add(line.start, Severity::Warning, "header-never-matches",
                L"Этот заголовок не называет ни одного раздела: нет ни «[расширение]», ни «[]», ни «{подменю}»");
    }

    int FirstWildcard() const {
        for (int header : headers_)
            if (image_.lines[header].text.find(L"[*]") != std::wstring::npos) return header;
        return -1;
    }

    void CheckEntry(const SignificantLine &line, const std::wstring &key, bool quickOnly, bool forFiles) {
        Parsed parsed = ParseLine(line, key, L"");
        if (parsed.report) {
            std::string code = CodeOfReport(*parsed.report);
            if (code != "long-line") Add(line.start, Severity::Error, code.c_str(), OneLine(parsed.report->text));
            return;
        }
        const LaunchEntry &entry = parsed.entry;
        bool submenu = OpensSubmenu(entry);
        if (!submenu && forFiles && !wcsstr(ParseLine(line, key, PathMarker).entry.Parameters, PathMarker))
            Add(line.start, Severity::Note, "no-file-argument",
                L"В параметрах нет «%1»: программа «" + std::wstring(entry.Command) + L"» запустится без пути к файлу");
        std::wstring path(quickOnly ? 0 : options_.pathLength, L'x');
        if (!quickOnly && FailsAt(line, key, options_.pathLength)) {
            unsigned low = 0, high = options_.pathLength;  // fails at high, not at low
            while (high - low > 1) {
                unsigned middle = (low + high) / 2;
                (FailsAt(line, key, middle) ? high : low) = middle;
            }
            Add(line.start, Severity::Error, "long-parameters",
                OneLine(ParseLine(line, key, path).report->text) + L" (с путём к файлу длиной от " +
                    std::to_wstring(high) + L" символов)");
        } else if (submenu) {
            // A "%1" in the name puts the file's path into the submenu key.
            CheckSubmenu(line, ParseLine(line, key, path).entry);
        }
    }

    bool FailsAt(const SignificantLine &line, const std::wstring &key, unsigned pathLength) {
        std::optional<Reported> report = ParseLine(line, key, std::wstring(pathLength, L'x')).report;
        return report && report->caption == L"Paramline";
    }

    void CheckSubmenu(const SignificantLine &line, const LaunchEntry &entry) {
        std::wstring command(entry.Command), name(entry.Parameters);
        if (command != L"menu" && command != L"MENU")
            Add(line.start, Severity::Warning, "menu-in-command",
                L"Команда «" + command + L"» содержит «menu» или «MENU»: кнопка откроет подменю «" + name +
                    L"», а не запустит программу");
        try {
            SelectSubmenu(entry);
        } catch (const Reported &report) {
            Add(line.start, Severity::Error, "long-submenu-name", OneLine(report.text));
            return;
        }
        std::wstring key(SectionKey);
        if (Lowered(name) != name)
            Add(line.start, Severity::Warning, "submenu-capital",
                L"В имени подменю «" + name + L"» есть заглавные буквы: заголовки сравниваются в нижнем регистре, и "
                L"его заголовок никогда не подойдёт");
        Match match = FindFor(image_, key);
        if (match.report && match.report->caption == L"Extention error")
            Add(line.start, Severity::Error, "missing-submenu", OneLine(match.report->text));
    }

    void CheckWholeFile() {
        bool quickLaunch = false;
        for (int header : headers_)
            for (const HeaderKey &key : KeysOfHeader(image_.lines[header].text)) quickLaunch |= key.key == L"[]";
        if (!quickLaunch)
            Add(0, Severity::Warning, "no-quick-launch",
                L"Программа запущена без параметров, но в файле velandrimour.ini нет раздела \"[]\".");
        if (FirstWildcard() < 0)
            Add(0, Severity::Warning, "no-wildcard",
                L"Нет раздела [*]: файл, у расширения которого нет своего раздела, получит сообщение «В файле "
                L"velandrimour.ini нет раздела для расширения \"[…],\" а так же раздела для [*].»");
    }

    Parsed ParseLine(const SignificantLine &line, const std::wstring &key, const std::wstring &argument) {
        return ParseSection(line.start, line.end, key, argument);
    }

    const ConfigImage &image_;
    const CheckOptions &options_;
    std::vector<Finding> findings_;
    std::vector<int> headers_;
    std::set<std::wstring> registered_;
};

}  // namespace

std::vector<HeaderKey> KeysOfHeader(const std::wstring &header) {
    std::vector<HeaderKey> keys;
    for (size_t at = 0; at < header.size(); at++) {
        wchar_t open = header[at];
        if (open != L'[' && open != L'{') continue;
        wchar_t close = open == L'[' ? L']' : L'}';
        size_t end = header.find(close, at + 1);
        if (end == std::wstring::npos) break;
        std::wstring name = header.substr(at + 1, end - at - 1);
        keys.push_back({Lowered(open + name + close), name, open == L'[' && name == L"*"});
        at = end;
    }
    return keys;
}

std::vector<Finding> CheckConfig(const ConfigImage &image, const CheckOptions &options) {
    return Checker(image, options).Run();
}

}  // namespace check
