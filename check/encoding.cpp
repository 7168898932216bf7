// The file's characters as an editor reads them, for the lines and columns of every finding and
// for --fix. The launcher itself knows only bytes of 1251.
#include "check/checker.h"

namespace check {

namespace {

const char Utf8Mark[] = "\xEF\xBB\xBF";

unsigned Unit16(const std::string &bytes, size_t at, bool big) {
    unsigned first = (unsigned char)bytes[at], second = (unsigned char)bytes[at + 1];
    return big ? first << 8 | second : second << 8 | first;
}

}  // namespace

Encoding EncodingOf(const std::string &bytes) {
    size_t first;
    if (bytes.compare(0, 3, Utf8Mark) == 0) return Encoding::Utf8Mark;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) return Encoding::Utf16LittleEndian;
    if (bytes.compare(0, 2, "\xFE\xFF") == 0) return Encoding::Utf16BigEndian;
    return LooksUtf8(bytes, first) ? Encoding::Utf8 : Encoding::Cp1251;
}

size_t MarkLength(Encoding encoding) {
    return encoding == Encoding::Utf8Mark ? 3 : encoding == Encoding::Cp1251 || encoding == Encoding::Utf8 ? 0 : 2;
}

std::wstring EncodingName(Encoding encoding) {
    switch (encoding) {
    case Encoding::Cp1251: return L"1251";
    case Encoding::Utf8: return L"UTF-8";
    case Encoding::Utf8Mark: return L"UTF-8 с меткой BOM";
    case Encoding::Utf16LittleEndian: return L"UTF-16 LE с меткой BOM (FF FE)";
    case Encoding::Utf16BigEndian: return L"UTF-16 BE с меткой BOM (FE FF)";
    }
    return L"";
}

Character CharacterAt(const std::string &bytes, size_t at, Encoding encoding) {
    if (encoding == Encoding::Cp1251) return {(unsigned char)bytes[at], 1, true};
    if (encoding == Encoding::Utf8 || encoding == Encoding::Utf8Mark) {
        unsigned code = 0;
        size_t length = Utf8At(bytes, at, code);
        return {length ? code : 0, length ? length : 1, length != 0};
    }
    bool big = encoding == Encoding::Utf16BigEndian;
    if (at + 2 > bytes.size()) return {0, 1, false};
    unsigned unit = Unit16(bytes, at, big);
    if (unit < 0xD800 || unit > 0xDFFF) return {unit, 2, true};
    if (unit < 0xDC00 && at + 4 <= bytes.size()) {
        unsigned low = Unit16(bytes, at + 2, big);
        if (low >= 0xDC00 && low <= 0xDFFF) return {0x10000 + ((unit - 0xD800) << 10 | (low - 0xDC00)), 4, true};
    }
    return {unit, 2, false};
}

}  // namespace check
