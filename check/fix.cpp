// The file as the device reads it: each line end made CR LF, each character put in code page
// 1251, the byte-order mark dropped, and nothing else changed. The old text is whole on disk as
// the backup before the file is written, and the file is written in place: a link stays a link
// and the file keeps its permissions, owner, attributes and other names, which under Wine no
// new file can be given.
#include "check/fix.h"
#include "check/launcher.h"

#include <aclapi.h>

#include <cwchar>

namespace check {

namespace {

const UINT DeviceCodePage = 1251;
// A character takes at most three bytes of UTF-8, two of UTF-16, and one of 1251: a larger file
// cannot come under the launcher's limit.
const DWORD InputMaxSize = 3 * FileMaxSize + 3;

struct Conversion {
    std::string text;  // the bytes the device will read
    Encoding encoding = Encoding::Cp1251;
    size_t feeds = 0;     // lone LF made CR LF
    size_t returns = 0;   // lone CR made CR LF
    size_t composed = 0;  // letters written with combining marks, composed
    std::vector<Finding> refused;
};

// The byte the device reads back as this character: its own conversion of the bytes 128-255,
// turned round, so that whatever is written reads back the same. False when 1251 has none.
bool To1251(unsigned code, char &byte) {
    static const std::wstring upperHalf = [] {
        std::wstring characters(128, L'\0');
        for (int index = 0; index < 128; index++) {
            char one = (char)(0x80 + index);
            if (MultiByteToWideChar(DeviceCodePage, MB_ERR_INVALID_CHARS, &one, 1, &characters[index], 1) != 1)
                characters[index] = 0;
        }
        return characters;
    }();
    if (code < 0x80) {
        byte = (char)code;
        return true;
    }
    size_t index = code > 0xFFFF ? std::wstring::npos : upperHalf.find((wchar_t)code);
    if (index == std::wstring::npos) return false;
    byte = (char)(0x80 + index);
    return true;
}

// The characters in 1251, all of them or none.
bool To1251(const std::vector<unsigned> &codes, std::string &bytes) {
    bytes.clear();
    char byte;
    for (unsigned code : codes) {
        if (!To1251(code, byte)) return false;
        bytes += byte;
    }
    return true;
}

std::wstring Utf16Of(unsigned code) {
    if (code <= 0xFFFF) return std::wstring(1, (wchar_t)code);
    return {(wchar_t)(0xD7C0 + (code >> 10)), (wchar_t)(0xDC00 | (code & 0x3FF))};
}

WORD TypeOf(DWORD type, unsigned code) {
    WORD types[2] = {};
    std::wstring text = Utf16Of(code);
    GetStringTypeW(type, text.data(), (int)text.size(), types);
    return types[0];
}

bool Combining(unsigned code) { return code >= 0x300 && code <= 0xFFFF && (TypeOf(CT_CTYPE3, code) & C3_NONSPACING); }

// Canonical composition, as editors write a letter typed with its mark.
std::vector<unsigned> Composed(const std::vector<unsigned> &codes) {
    std::wstring text, out(4 * codes.size() + 8, L'\0');
    for (unsigned code : codes) text += Utf16Of(code);
    int length = NormalizeString(NormalizationC, text.data(), (int)text.size(), &out[0], (int)out.size());
    std::vector<unsigned> composed;
    for (int at = 0; at < length; at++) {
        unsigned unit = out[at];
        if (unit >= 0xD800 && unit < 0xDC00 && at + 1 < length)
            unit = 0x10000 + ((unit - 0xD800) << 10 | (out[++at] - 0xDC00));
        composed.push_back(unit);
    }
    return length > 0 ? composed : codes;
}

// "«✓» (U+2713)": the character itself where it shows; a blank, a control, a mark on its own or
// a format character (U+FEFF) only by its code.
std::wstring Describe(unsigned code) {
    wchar_t number[16];
    swprintf(number, 16, L"U+%04X", code);
    bool shows = !(TypeOf(CT_CTYPE1, code) & (C1_CNTRL | C1_SPACE | C1_BLANK)) && !Combining(code) &&
                 TypeOf(CT_CTYPE2, code) != C2_NOTAPPLICABLE;
    return shows ? L"«" + Utf16Of(code) + L"» (" + number + L")" : std::wstring(number) + L" (невидимого)";
}

// The text with each line end CR LF and in 1251. Lines and columns count as the checker's
// findings do: CR LF, a lone CR and a lone LF end a line; a column is a character of the
// file's encoding, and a run of bytes that are no character of it is one place.
Conversion Convert(const std::string &bytes) {
    Conversion result;
    const Encoding encoding = result.encoding = EncodingOf(bytes);
    int line = 1, column = 1;
    for (size_t at = MarkLength(encoding); at < bytes.size();) {
        Character character = CharacterAt(bytes, at, encoding);
        if (!character.valid) {
            std::wstring listed;
            int first = column;
            for (; at < bytes.size() && !(character = CharacterAt(bytes, at, encoding)).valid; column++)
                for (size_t byte = 0; byte < character.length; byte++, at++) {
                    wchar_t hex[8];
                    swprintf(hex, 8, L" 0x%02X", (unsigned char)bytes[at]);
                    if (listed.size() < 40) listed += hex;
                    else if (listed.back() != L'…') listed += L" …";
                }
            bool utf8 = encoding == Encoding::Utf8Mark;
            std::wstring unicode = utf8 ? L"UTF-8" : L"UTF-16";
            result.refused.push_back({line, first, Severity::Error, utf8 ? "invalid-utf8" : "invalid-utf16",
                                      L"Байты" + listed + L" не составляют символов " + unicode +
                                          L", хотя файл начинается с метки " + unicode +
                                          L" (BOM); если текст в кодировке 1251, уберите метку"});
            continue;
        }
        at += character.length;
        if (character.code == '\r' || character.code == '\n') {
            bool pair = character.code == '\r' && at < bytes.size() && CharacterAt(bytes, at, encoding).code == '\n';
            if (pair) at += CharacterAt(bytes, at, encoding).length;
            else (character.code == '\n' ? result.feeds : result.returns)++;
            result.text += "\r\n";
            line++;
            column = 1;
            continue;
        }
        if (encoding == Encoding::Cp1251) {
            result.text += (char)character.code;
            column++;
            continue;
        }
        // The character and the combining marks after it, composed when 1251 lacks one of them:
        // "И" and U+0306 are "Й".
        std::vector<unsigned> cluster{character.code};
        for (Character mark; at < bytes.size() && (mark = CharacterAt(bytes, at, encoding)).valid &&
                             Combining(mark.code);
             at += mark.length)
            cluster.push_back(mark.code);
        std::string converted;
        if (To1251(cluster, converted) ||
            (cluster.size() > 1 && To1251(Composed(cluster), converted) && ++result.composed)) {
            result.text += converted;
        } else {
            char byte;
            for (size_t index = 0; index < cluster.size(); index++)
                if (!To1251(cluster[index], byte))
                    result.refused.push_back({line, column + (int)index, Severity::Error, "not-in-1251",
                                              L"Символа " + Describe(cluster[index]) +
                                                  L" нет в кодировке 1251, в которой программа читает файл: замените его"});
        }
        column += (int)cluster.size();
    }
    return result;
}

}  // namespace

std::wstring Why(DWORD error) {
    const wchar_t *meaning = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ? L"нет права на запись"
                             : error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
                                 ? L"файл занят другой программой"
                             : error == ERROR_DISK_FULL ? L"диск заполнен"
                                                        : L"ошибка";
    return std::wstring(meaning) + L", код " + std::to_wstring(error);
}

namespace {

// The whole file from its start, up to the limit and one byte more; the error code when it
// cannot be read.
DWORD ReadHandle(HANDLE file, std::string &bytes, DWORD limit) {
    bytes.assign(limit + 1, '\0');
    DWORD read = 0, total = 0;
    BOOL ok = SetFilePointer(file, 0, nullptr, FILE_BEGIN) == 0;
    while (ok && total < bytes.size() &&
           (ok = ReadFile(file, &bytes[total], (DWORD)bytes.size() - total, &read, nullptr)) && read)
        total += read;
    bytes.resize(total);
    return ok ? 0 : GetLastError();
}

DWORD ReadWhole(const std::wstring &path, std::string &bytes, DWORD limit) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD error = ReadHandle(file, bytes, limit);
    CloseHandle(file);
    return error;
}

// The file's bytes made these, on disk before this returns; the error code when not.
DWORD Overwrite(HANDLE file, const std::string &bytes) {
    DWORD written = 0;
    if (SetFilePointer(file, 0, nullptr, FILE_BEGIN) != 0 ||
        !WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) || !SetEndOfFile(file) ||
        !FlushFileBuffers(file))
        return GetLastError();
    return written == bytes.size() ? 0 : ERROR_DISK_FULL;
}

// The original's security descriptor, for a backup that must keep out whom the original
// keeps out; null where everyone may read the original. Under Wine a descriptor given to a new
// file becomes a mode with execute bits, so it is given only where it keeps others out.
PSECURITY_DESCRIPTOR PrivateDescriptor(HANDLE file) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    PACL dacl = nullptr;
    if (GetSecurityInfo(file, SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return nullptr;
    BYTE world[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof world;
    bool open = !dacl || !CreateWellKnownSid(WinWorldSid, nullptr, world, &size);
    for (DWORD index = 0; dacl && !open && index < dacl->AceCount; index++) {
        ACCESS_ALLOWED_ACE *ace;
        open = GetAce(dacl, index, (void **)&ace) && ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
               (ace->Mask & (FILE_READ_DATA | GENERIC_READ | GENERIC_ALL)) && EqualSid(&ace->SidStart, world);
    }
    if (open) LocalFree(descriptor);
    return open ? nullptr : descriptor;
}

// A new file of these bytes with the original's attributes, and its security where that keeps
// others out, read back to be sure; nothing stays behind when that fails.
DWORD WriteNew(const std::wstring &path, const std::string &bytes, DWORD attributes, HANDLE original) {
    const DWORD kept =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    SECURITY_ATTRIBUTES security = {sizeof security, PrivateDescriptor(original), FALSE};
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, &security, CREATE_NEW,
                              attributes & kept ? attributes & kept : FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    LocalFree(security.lpSecurityDescriptor);
    if (error) return error;
    std::string back;
    if (!(error = Overwrite(file, bytes)) && !(error = ReadHandle(file, back, (DWORD)bytes.size())) && back != bytes)
        error = ERROR_WRITE_FAULT;
    CloseHandle(file);
    if (error) DeleteFileW(path.c_str());
    return error;
}

// The backup's suffix: ".bak", or ".2.bak", ".3.bak" ... when an older backup, which the user
// may rely on, holds something else; one that holds these very bytes serves again.
std::wstring BackupSuffix(const std::wstring &full, const std::string &bytes, bool &exists) {
    for (int number = 1;; number++) {
        std::wstring suffix = number == 1 ? L".bak" : L"." + std::to_wstring(number) + L".bak";
        std::string old;
        exists = GetFileAttributesW((full + suffix).c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!exists || (ReadWhole(full + suffix, old, InputMaxSize) == 0 && old == bytes)) return suffix;
    }
}

// What the conversion changed, in words.
std::wstring Converted(const Conversion &conversion) {
    std::wstring words = conversion.encoding == Encoding::Cp1251
                             ? L"кодировка 1251 оставлена"
                             : L"кодировка " + EncodingName(conversion.encoding) + L" заменена на 1251" +
                                   (MarkLength(conversion.encoding) ? L", метка убрана" : L"");
    if (conversion.composed)
        words += L"; букв, записанных с отдельным диакритическим знаком, составлено: " +
                 std::to_wstring(conversion.composed);
    if (conversion.feeds) words += L"; концов строк LF заменено на CR LF: " + std::to_wstring(conversion.feeds);
    if (conversion.returns) words += L"; концов строк CR заменено на CR LF: " + std::to_wstring(conversion.returns);
    return words;
}

// How many places the refusal lists, in words.
std::wstring Refused(const Conversion &conversion) {
    size_t missing = 0;
    for (const Finding &finding : conversion.refused) missing += finding.code == "not-in-1251";
    std::wstring words;
    if (missing) words = L"мест, которые нельзя записать в кодировке 1251: " + std::to_wstring(missing);
    if (missing < conversion.refused.size())
        words += (words.empty() ? L"" : L"; ") + std::wstring(L"мест, где байты не составляют символов ") +
                 (conversion.encoding == Encoding::Utf8Mark ? L"UTF-8: " : L"UTF-16: ") +
                 std::to_wstring(conversion.refused.size() - missing);
    return words;
}

}  // namespace

RunResult FixFile(const std::wstring &path, bool json) {
    RunResult result;
    result.status = 2;
    auto refuse = [&](const std::wstring &why) {
        result.err += L"velandrimour-check: " + why + L"\n";
        return result;
    };
    WCHAR full[MAX_PATH * 2];
    DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 2) return refuse(L"слишком длинный или неверный путь к файлу: " + path);
    DWORD attributes = GetFileAttributesW(full);
    if (attributes == INVALID_FILE_ATTRIBUTES) return refuse(L"файл не найден: " + path);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return refuse(L"это папка, а не файл: " + path);
    std::string bytes;
    if (DWORD error = ReadWhole(full, bytes, InputMaxSize))
        return refuse(L"не удалось прочитать " + path + L" (" + Why(error) + L")");
    const std::wstring untouched = L"; файл не изменён";
    if (bytes.size() > InputMaxSize)
        return refuse(L"файл больше " + std::to_wstring(InputMaxSize) + L" байт и в кодировке 1251 не станет меньше " +
                      std::to_wstring(FileBufferCapacity) + L" байт, как того требует программа" + untouched);

    Conversion conversion = Convert(bytes);
    if (!conversion.refused.empty()) {
        for (const Finding &finding : conversion.refused) result.out += FormatFinding(path, finding) + L"\n";
        if (json) result.out = FindingsJson(path, conversion.refused);
        refuse(Refused(conversion) + untouched);
    }
    // The result is what the launcher reads, so its size, not the original's, is judged.
    if (conversion.text.size() > FileMaxSize)
        refuse(L"в кодировке 1251 с концами строк CR LF файл занял бы " + std::to_wstring(conversion.text.size()) +
               L" байт, а программа читает только файлы меньше " + std::to_wstring(FileBufferCapacity) + L" байт" +
               untouched);
    if (!result.err.empty()) return result;

    result.status = 0;
    std::wstring &report = json ? result.err : result.out;
    if (conversion.text == bytes) {
        report = path + L": файл уже в том виде, в каком его читает программа (кодировка 1251, концы строк CR LF, "
                        L"без BOM), и оставлен как есть\n";
        return result;
    }
    result.status = 2;
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return refuse(L"файл " + path + L" только для чтения: снимите этот атрибут и запустите --fix снова" + untouched);

    // Opened for writing before anything is made beside it, and held so that no other program
    // writes it meanwhile; what is converted is what it holds now.
    HANDLE file = CreateFileW(full, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return refuse(L"не удалось открыть файл " + path + L" для записи (" + Why(GetLastError()) + L")" + untouched);
    std::string now;
    if (ReadHandle(file, now, InputMaxSize) || now != bytes) {
        CloseHandle(file);
        return refuse(L"файл " + path + L" изменился, пока его читали: запустите --fix снова" + untouched);
    }
    bool backupExists;
    std::wstring suffix = BackupSuffix(full, bytes, backupExists);
    std::wstring backup = std::wstring(full) + suffix;
    DWORD error = backupExists ? 0 : WriteNew(backup, bytes, attributes, file);
    if (error) {
        CloseHandle(file);
        return refuse(L"в папке " + std::wstring(full, wcsrchr(full, L'\\') - full) + L" нельзя сохранить копию " +
                      path + suffix + L" (" + Why(error) + L")" + untouched);
    }
    if ((error = Overwrite(file, conversion.text))) {
        // The old text goes back where it was: it fits in the room it had.
        bool restored = Overwrite(file, bytes) == 0;
        CloseHandle(file);
        if (restored && !backupExists) DeleteFileW(backup.c_str());
        return refuse(L"не удалось записать файл " + path + L" (" + Why(error) + L")" +
                      (restored ? untouched : L"; прежний файл сохранён как " + path + suffix));
    }
    CloseHandle(file);
    result.status = 0;
    report = path + L": файл переписан так, как его читает программа: " + Converted(conversion) + L"\n" + path +
             L": прежний файл сохранён как " + path + suffix + (backupExists ? L" (такая копия уже была)" : L"") + L"\n";
    return result;
}

}  // namespace check
