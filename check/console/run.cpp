// The command line: options, the three modes, and the texts they print.
#include "check/checker.h"
#include "check/fix.h"
#include "check/screens/sheet.h"
#include "app/shell.h"
#include "check/launcher.h"
#include "base/text.h"

#include <cwchar>

namespace check {

namespace {

const wchar_t Version[] = L"velandrimour-check " WIDE_TEXT(VELANDRIMOUR_VERSION);

const wchar_t *SeverityWord(Severity severity) {
    return severity == Severity::Error ? L"error" : severity == Severity::Warning ? L"warning" : L"note";
}

std::wstring JsonString(const std::wstring &text) {
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += L'\\';
            out += c;
        } else if (c < 0x20) {
            wchar_t escape[8];
            swprintf(escape, 8, L"\\u%04x", (unsigned)c);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + L"\"";
}

struct Arguments {
    enum Mode { Check, ShowRow, ListAssociations, PrintVersion, Fix, Help, Screens } mode = Check;
    bool json = false;
    std::wstring path;
    bool bareShow = false;  // --show without "=": a path after it is the file checked
    std::wstring ini = L"velandrimour.ini";
    bool iniGiven = false;
    CheckOptions options;
};

// One option of the command line, a row of the usage too: a mode, of which one may be given,
// or a setting (mode Check) that `apply` makes from the argument and what follows its "=",
// throwing the message for a wrong value.
struct Option {
    const wchar_t *name;
    const wchar_t *alias;
    const wchar_t *value;  // what follows "=" in the usage, "[=...]" when it may be left out
    Arguments::Mode mode;
    void (*apply)(Arguments &, const std::wstring &argument, const std::wstring &value);
    const wchar_t *help;
};

const Option Options[] = {
    {L"--show", nullptr, L"[=ПУТЬ]", Arguments::ShowRow,
     [](Arguments &parsed, const std::wstring &argument, const std::wstring &value) {
         parsed.path = value;
         parsed.bareShow = argument == L"--show";
     },
     L"что покажет программа, запущенная с этим путём к файлу (без него: запущенная без файла)"},
    {L"--screens", nullptr, L"=КАРТИНКА.png", Arguments::Screens,
     [](Arguments &parsed, const std::wstring &, const std::wstring &value) { parsed.path = value; },
     L"проверить файл и нарисовать в одной картинке PNG каждый экран, который он даёт, так, как его покажет программа"},
    {L"--fix", nullptr, L"", Arguments::Fix, nullptr,
     L"переписать файл так, как его читает устройство (кодировка 1251, концы строк CR LF, без BOM), из UTF-8, "
     L"UTF-16 с меткой или 1251, сохранив прежний как ФАЙЛ.bak (или ФАЙЛ.2.bak, ФАЙЛ.3.bak ...), и проверить его"},
    {L"--associations", nullptr, L"", Arguments::ListAssociations, nullptr,
     L"куда в реестре сейчас указывает каждое расширение, которое предложит «Ассоциировать по INI-файлу»"},
    {L"--json", nullptr, L"", Arguments::Check,
     [](Arguments &parsed, const std::wstring &, const std::wstring &) { parsed.json = true; },
     L"найденное при проверке и при --fix в виде JSON"},
    {L"--path-length", nullptr, L"=N", Arguments::Check,
     [](Arguments &parsed, const std::wstring &argument, const std::wstring &number) {
         wchar_t *end = nullptr;
         unsigned long value = number.empty() ? 0 : wcstoul(number.c_str(), &end, 10);
         if (number.empty() || *end || number[0] == L'-' || value > 511)
             throw L"длина пути в " + argument + L" должна быть числом от 0 до 511";
         parsed.options.pathLength = (unsigned)value;
     },
     L"длина пути к файлу, который подставляется вместо %1, от 0 до 511 (по умолчанию 100)"},
    {L"--version", nullptr, L"", Arguments::PrintVersion, nullptr, L"версия программы"},
    {L"--help", L"-h", L"", Arguments::Help, nullptr, L"эта справка"},
};

std::wstring OptionForm(const Option &option) {
    return std::wstring(option.name) + option.value + (option.alias ? L", " + std::wstring(option.alias) : L"");
}

std::wstring Usage() {
    std::wstring usage = L"Использование: velandrimour-check [ПАРАМЕТРЫ] [ФАЙЛ]\n"
                         L"Проверяет файл настройки Velandrimour, ФАЙЛ (без него velandrimour.ini в текущей папке): "
                         L"каждая ошибка, которую покажет программа, и каждое предупреждение, с номером строки.\n";
    for (const Option &option : Options) {
        std::wstring form = L"  " + OptionForm(option);
        usage += form + std::wstring(form.size() < 20 ? 20 - form.size() : 1, L' ') + option.help + L"\n";
    }
    return usage + L"Коды выхода: 0 ошибок нет (предупреждения могут быть); 1 есть ошибка (с --show: программа "
                   L"сообщит об ошибке); 2 файл не прочитан или не переписан, картинка не записана, или параметры "
                   L"неверны.\n";
}

// Throws the one-line message for wrong arguments.
Arguments Parse(const std::vector<std::wstring> &arguments) {
    Arguments parsed;
    bool modeGiven = false;
    for (const std::wstring &argument : arguments) {
        const Option *given = nullptr;
        std::wstring name = argument.substr(0, argument.find(L'=')), value;
        for (const Option &option : Options)
            if (name == option.name || (option.alias && name == option.alias)) given = &option;
        if (given) {
            bool hasValue = name.size() < argument.size();
            value = hasValue ? argument.substr(name.size() + 1) : L"";
            if (hasValue != (given->value[0] == L'=') && given->value[0] != L'[')
                throw L"параметр " + argument + L" пишется так: " + given->name + given->value;
            if (given->mode != Arguments::Check) {
                if (modeGiven && parsed.mode != given->mode)
                    throw L"параметр " + name + L" нельзя сочетать с другим режимом";
                parsed.mode = given->mode;
                modeGiven = true;
            }
            if (given->apply) given->apply(parsed, argument, value);
        } else if (argument.rfind(L"-", 0) == 0 && argument.size() > 1) {
            std::wstring known;
            for (const Option &option : Options) known += (known.empty() ? L"" : L", ") + OptionForm(option);
            throw L"неизвестный параметр " + argument + L" (есть " + known + L")";
        } else if (parsed.iniGiven) {
            throw L"лишний параметр " + argument + L": файл уже назван, " + parsed.ini +
                (parsed.bareShow ? L"; путь для --show пишется через «=»: --show=ПУТЬ" : L"");
        } else {
            parsed.ini = argument;
            parsed.iniGiven = true;
        }
    }
    if (parsed.json && parsed.mode != Arguments::Check && parsed.mode != Arguments::Fix &&
        parsed.mode != Arguments::Screens)
        throw std::wstring(L"--json только для проверки всего файла");
    if (parsed.mode == Arguments::Screens && parsed.path.empty())
        throw std::wstring(L"параметр --screens пишется так: --screens=КАРТИНКА.png");
    return parsed;
}

RunResult CheckWhole(const Arguments &arguments, const ConfigImage &image) {
    RunResult result;
    std::vector<Finding> findings = CheckConfig(image, arguments.options);
    if (arguments.json) {
        result.out = FindingsJson(arguments.ini, findings);
    } else {
        for (const Finding &finding : findings) result.out += FormatFinding(arguments.ini, finding) + L"\n";
        result.out += FindingsSummary(arguments.ini, findings) + L"\n";
    }
    result.status = CountOf(findings, Severity::Error) ? 1 : 0;
    return result;
}

// The plain check's findings, then every screen in one picture.
RunResult CheckAndDraw(const Arguments &arguments, const ConfigImage &image) {
    RunResult result = CheckWhole(arguments, image);
    std::wstring &report = arguments.json ? result.err : result.out;
    try {
        Sheet sheet = DrawSheet(image, arguments.options);
        if (std::wstring why = WritePng(sheet.picture, arguments.path); !why.empty()) throw CannotDraw{why};
        report += arguments.path + L": экранов на картинке: " + Decimal(sheet.screens.size()) +
                  (sheet.more ? L" (и ещё " + Decimal(sheet.more) + L" не поместились)" : L"") + L", " +
                  Decimal(sheet.picture.width) + L" на " + Decimal(sheet.picture.height) + L" точек\n";
    } catch (const CannotDraw &cannot) {
        result.err += L"velandrimour-check: " + cannot.message + L"\n";
        result.status = 2;
    }
    return result;
}

RunResult ListAssociations() {
    RunResult result;
    std::optional<Reported> report;
    std::vector<Association> list = Associations(report);
    for (const Association &association : list) {
        result.out += association.extension + L": ";
        switch (association.state) {
        case Association::NotRegistered: result.out += L"не зарегистрировано"; break;
        case Association::Ours: result.out += L"открывается этой программой: " + association.command; break;
        case Association::Other:
            result.out += association.command.empty() ? L"зарегистрировано, но команды открытия нет"
                                                      : L"открывается другой программой: " + association.command;
            break;
        case Association::Refused: result.out += L"длиннее 50 символов, регистрация откажет в нём"; break;
        }
        result.out += L"\n";
    }
    if (report) {
        result.out += FormatBox(L"", report->caption, report->text + (report->configError ? EditOffer : L""));
        result.status = 1;
    } else if (list.empty()) {
        result.out += L"В файле нет расширений, которые предложит «Ассоциировать по INI-файлу».\n";
    }
    return result;
}

}  // namespace

ConfigImage OpenConfig(const std::wstring &path) {
    WCHAR full[MAX_PATH * 2];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 2 || length >= ConfigPathCapacity)
        throw CannotRead{L"слишком длинный или неверный путь к файлу: " + path};
    // The launcher creates a missing file; the checker must not.
    DWORD attributes = GetFileAttributesW(full);
    if (attributes == INVALID_FILE_ATTRIBUTES) throw CannotRead{L"файл не найден: " + path};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw CannotRead{L"это папка, а не файл: " + path};
    CopyText(ConfigPath, full);
    return ReadConfigImage();
}

std::wstring FormatFinding(const std::wstring &file, const Finding &finding) {
    return file + L":" + Decimal(finding.line) + L":" + Decimal(finding.column) + L": " +
           SeverityWord(finding.severity) + L": " + finding.text + L" [" +
           std::wstring(finding.code.begin(), finding.code.end()) + L"]";
}

std::wstring FindingsJson(const std::wstring &file, const std::vector<Finding> &findings) {
    std::wstring out = L"[";
    for (size_t index = 0; index < findings.size(); index++) {
        const Finding &finding = findings[index];
        out += index ? L",\n " : L"";
        out += L"{\"file\": " + JsonString(file) + L", \"line\": " + Decimal(finding.line) +
               L", \"column\": " + Decimal(finding.column) + L", \"severity\": \"" +
               SeverityWord(finding.severity) + L"\", \"code\": " +
               JsonString(std::wstring(finding.code.begin(), finding.code.end())) + L", \"text\": " +
               JsonString(finding.text) + L"}";
    }
    return out + L"]\n";
}

std::string ToUtf8(const std::wstring &text) {
    if (text.empty()) return "";
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], size, nullptr, nullptr);
    return out;
}

RunResult Run(const std::vector<std::wstring> &arguments) {
    RunResult result;
    Arguments parsed;
    try {
        parsed = Parse(arguments);
    } catch (const std::wstring &message) {
        result.err = L"velandrimour-check: " + message + L"\n";
        result.status = 2;
        return result;
    }
    if (parsed.mode == Arguments::PrintVersion || parsed.mode == Arguments::Help) {
        result.out = parsed.mode == Arguments::Help ? Usage() : std::wstring(Version) + L"\n";
        return result;
    }
    RunResult fixed;  // --fix rewrites the file first, then checks it as the plain check does
    if (parsed.mode == Arguments::Fix && (fixed = FixFile(parsed.ini, parsed.json)).status) return fixed;
    ConfigImage image;
    try {
        image = OpenConfig(parsed.ini);
    } catch (const CannotRead &cannot) {
        WCHAR folder[MAX_PATH * 2] = L"";
        if (!parsed.iniGiven) GetCurrentDirectoryW(MAX_PATH * 2, folder);
        result.err = L"velandrimour-check: " + cannot.message +
                     (parsed.iniGiven ? L"" : L" (искал в текущей папке, " + std::wstring(folder) +
                                                  L"; файл можно назвать в командной строке, --help — справка)") +
                     L"\n";
        result.status = 2;
        return result;
    }
    if (parsed.mode == Arguments::ListAssociations) return ListAssociations();
    if (parsed.mode == Arguments::ShowRow) {
        Shown shown = Show(image, parsed.path);
        result.out = FormatShown(shown);
        result.status = Reports(shown) ? 1 : 0;
        return result;
    }
    // Titles are measured on the launcher's own button wherever a window can be made.
    parsed.options.titleCut = ButtonTitleCut();
    if (parsed.mode == Arguments::Screens) return CheckAndDraw(parsed, image);
    RunResult checked = CheckWhole(parsed, image);
    checked.out.insert(0, fixed.out);
    checked.err.insert(0, fixed.err);
    return checked;
}

}  // namespace check
