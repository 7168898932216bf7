// A configuration file of the test's own, checked or shown by the checker's library.
#pragma once

#include "check/checker.h"
#include "support/test_support.h"

#include <algorithm>

class CheckTest : public ::testing::Test {
protected:
    check::ConfigImage Load(const std::string &bytes) {
        EXPECT_TRUE(WriteBytes(path(), bytes));
        return check::OpenConfig(path());
    }
    std::vector<check::Finding> Findings(const std::string &bytes, unsigned pathLength = 100) {
        check::ConfigImage image = Load(bytes);
        return check::CheckConfig(image, {pathLength});
    }
    std::wstring path() const { return scratch_.file(L"velandrimour.ini"); }

private:
    ScratchDir scratch_;
};

// The findings of one code, as "line:column".
inline std::vector<std::string> Where(const std::vector<check::Finding> &findings, const std::string &code) {
    std::vector<std::string> places;
    for (const check::Finding &finding : findings)
        if (finding.code == code) places.push_back(std::to_string(finding.line) + ":" + std::to_string(finding.column));
    return places;
}

inline std::string Repeat(char c, size_t count) { return std::string(count, c); }

// The text in UTF-16 after its byte-order mark, as Notepad's "Юникод" saves it.
inline std::string Utf16(const std::wstring &text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t unit : text) bytes += bigEndian ? std::string{char(unit >> 8), char(unit)} : std::string{char(unit), char(unit >> 8)};
    return bytes;
}

// A literal's bytes, zero bytes included.
template <size_t N>
std::string Bytes(const char (&text)[N]) {
    return std::string(text, N - 1);
}
