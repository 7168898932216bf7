// The file as the device reads it: each line end made CR LF, each character put in code page
// 1251, the byte-order mark dropped, and nothing else changed. The new text is whole on disk
// in the same folder before it is moved over the old file, so that a failure at any step
// leaves the original as it was.
#include "check/fix.h"
#include "check/launcher.h"

#include <cwchar>

namespace check {

namespace {

const char ByteOrderMark[] = "\xEF\xBB\xBF";
const UINT DeviceCodePage = 1251;
// A character takes at most three bytes of UTF-8 and one of 1251: a larger file cannot come
// under the launcher's limit.
const DWORD InputMaxSize = 3 * FileMaxSize + 3;

struct Conversion {
    std::string text;  // the bytes the device will read
    bool utf8 = false;
    bool mark = false;
    size_t feeds = 0;    // lone LF made CR LF
    size_t returns = 0;  // lone CR made CR LF
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

// "«✓» (U+2713)": the character itself where it is printable.
std::wstring Describe(unsigned code) {
    wchar_t number[16];
    swprintf(number, 16, L"U+%04X", code);
    std::wstring shown;
    if (code > 0xFFFF) shown = {(wchar_t)(0xD7C0 + (code >> 10)), (wchar_t)(0xDC00 | (code & 0x3FF))};
    else if (code >= 0xA0) shown = {(wchar_t)code};
    return (shown.empty() ? L"" : L"«" + shown + L"» ") + L"(" + number + L")";
}

// The text with each line end CR LF and in 1251. Lines and columns count as the checker's
// findings do: CR LF, a lone CR and a lone LF end a line; a column is a byte of the file.
Conversion Convert(const std::string &bytes) {
    Conversion result;
    result.mark = bytes.compare(0, 3, ByteOrderMark) == 0;
    size_t first;
    result.utf8 = result.mark || LooksUtf8(bytes, first);
    int line = 1;
    size_t lineStart = 0;
    for (size_t at = result.mark ? 3 : 0; at < bytes.size();) {
        unsigned char byte = (unsigned char)bytes[at];
        if (byte == '\r' || byte == '\n') {
            bool pair = byte == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n';
            if (!pair) (byte == '\n' ? result.feeds : result.returns)++;
            result.text += "\r\n";
            at += pair ? 2 : 1;
            line++;
            lineStart = at;
            continue;
        }
        if (!result.utf8 || byte < 0x80) {
            result.text += (char)byte;
            at++;
            continue;
        }
        unsigned code = 0;
        size_t length = Utf8At(bytes, at, code);
        char converted;
        int column = (int)(at - lineStart) + 1;
        if (length == 0) {
            wchar_t hex[8];
            swprintf(hex, 8, L"0x%02X", byte);
            result.refused.push_back({line, column, Severity::Error, "invalid-utf8",
                                      std::wstring(L"Байт ") + hex +
                                          L" не начинает символ UTF-8, хотя файл начинается с метки UTF-8 (BOM)"});
        } else if (To1251(code, converted)) {
            result.text += converted;
        } else {
            result.refused.push_back({line, column, Severity::Error, "not-in-1251",
                                      L"Символа " + Describe(code) +
                                          L" нет в кодировке 1251, в которой программа читает файл: замените его"});
        }
        at += length ? length : 1;
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

// The whole file, up to the limit and one byte more; the error code when it cannot be read.
DWORD ReadWhole(const std::wstring &path, std::string &bytes, DWORD limit) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError();
    bytes.assign(limit + 1, '\0');
    DWORD read = 0, total = 0;
    BOOL ok = TRUE;
    while (total < bytes.size() &&
           (ok = ReadFile(file, &bytes[total], (DWORD)bytes.size() - total, &read, nullptr)) && read)
        total += read;
    DWORD error = ok ? 0 : GetLastError();
    CloseHandle(file);
    bytes.resize(total);
    return error;
}

}  // namespace

HANDLE CreateTemporary(const std::wstring &full, std::wstring &name) {
    for (int attempt = 0;; attempt++) {
        name = full + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(attempt) + L".tmp";
        HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
}

namespace {

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
    std::wstring words = conversion.mark   ? L"кодировка UTF-8 с меткой BOM заменена на 1251, метка убрана"
                         : conversion.utf8 ? L"кодировка UTF-8 заменена на 1251"
                                           : L"кодировка 1251 оставлена";
    if (conversion.feeds) words += L"; концов строк LF заменено на CR LF: " + std::to_wstring(conversion.feeds);
    if (conversion.returns) words += L"; концов строк CR заменено на CR LF: " + std::to_wstring(conversion.returns);
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
        refuse(L"мест, которые нельзя записать в кодировке 1251: " + std::to_wstring(conversion.refused.size()) + untouched);
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

    std::wstring temporary;
    HANDLE file = CreateTemporary(full, temporary);
    if (file == INVALID_HANDLE_VALUE)
        return refuse(L"в папке " + std::wstring(full, wcsrchr(full, L'\\') - full) + L" нельзя создать файл (" +
                      Why(GetLastError()) + L")" + untouched);
    DWORD written = 0;
    bool whole = WriteFile(file, conversion.text.data(), (DWORD)conversion.text.size(), &written, nullptr) &&
                 written == conversion.text.size() && FlushFileBuffers(file);
    DWORD error = GetLastError();
    CloseHandle(file);
    if (!whole) {
        DeleteFileW(temporary.c_str());
        return refuse(L"не удалось записать файл " + temporary + L" (" + Why(error) + L")" + untouched);
    }

    bool backupExists;
    std::wstring suffix = BackupSuffix(full, bytes, backupExists);
    std::wstring backup = std::wstring(full) + suffix;
    if (!backupExists && !CopyFileW(full, backup.c_str(), TRUE)) {
        error = GetLastError();
        DeleteFileW(temporary.c_str());
        return refuse(L"не удалось сохранить копию " + path + suffix + L" (" + Why(error) + L")" + untouched);
    }
    if (!MoveFileExW(temporary.c_str(), full, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
        DeleteFileW(temporary.c_str());
        if (!backupExists) DeleteFileW(backup.c_str());
        return refuse(L"не удалось заменить файл " + path + L" новым (" + Why(error) + L")" + untouched);
    }
    result.status = 0;
    report = path + L": файл переписан так, как его читает программа: " + Converted(conversion) + L"\n" + path +
             L": прежний файл сохранён как " + path + suffix + (backupExists ? L" (такая копия уже была)" : L"") + L"\n";
    return result;
}

}  // namespace check
