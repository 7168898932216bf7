// The one bounded append: what it keeps, always terminated, and whether all of the text fit.
#include "base/text.h"

#include <gtest/gtest.h>

#include <string>

TEST(BoundedAppend, KeepsWhatFitsAndTellsWhetherAllOfItDid) {
    const struct { const wchar_t *before, *text; size_t count; const wchar_t *after; bool fit; } cases[] = {
        {L"ab", L"cd", WholeText, L"abcd", true},  {L"ab", L"cde", WholeText, L"abcd", false},
        {L"abcd", L"", WholeText, L"abcd", true},  {L"abcd", L"e", WholeText, L"abcd", false},
        {L"", L"bcdef", 3, L"bcd", true},          {L"a", L"bcdef", 4, L"abcd", false},
    };
    for (const auto &c : cases) {
        WCHAR buffer[6] = L"";
        CopyText(buffer, c.before);
        buffer[5] = L'#';  // past the capacity of 5 given below: never written
        EXPECT_EQ(AppendTextWithin(buffer, 5, c.text, c.count), c.fit) << c.before << '+' << c.text;
        std::wstring after = c.after;
        after.resize(5, L'\0');
        EXPECT_EQ(std::wstring(buffer, 6), after + L'#');
    }
}
