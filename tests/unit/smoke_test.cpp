#include "app/shell.h"
#include "support/test_support.h"

TEST(Smoke, LongCommandLineIsRefused) {
    std::wstring line(512, L'a');
    EXPECT_TRUE(RaisesReport([&] { SetFileArgument(line.c_str()); }, L"Parameter",
                             L"Слишком длинный параметр программы.", false));
    EXPECT_TRUE(RaisesNoReport([&] { SetFileArgument(line.substr(1).c_str()); }));
    int answer = 0;
    {
        BoxAnswerer answerer({IDNO});
        answer = MessageBoxW(nullptr, L"Текст", L"Подумайте", MB_YESNO);
        ASSERT_EQ(answerer.boxes().size(), 1u);
        EXPECT_EQ(answerer.boxes()[0].text, L"Текст");
        EXPECT_EQ(answerer.boxes()[0].caption, L"Подумайте");
        EXPECT_EQ(answerer.boxes()[0].buttons, (std::vector<int>{IDYES, IDNO}));
    }
    EXPECT_EQ(answer, IDNO);
}
