// The command line as FileArgument.
#include "config_fixture.h"

TEST(ConfigArgument, CopiedUnchanged) {
    const std::wstring longest(511, L'a');
    for (const std::wstring &line : {std::wstring(L""), std::wstring(L"  \"\\My Documents\\a b.txt\"  "),
                                     std::wstring(L"\\Мои документы\\письмо.doc"), longest}) {
        SCOPED_TRACE(Visible(line.substr(0, 40)));
        ASSERT_TRUE(RaisesNoReport([&] { SetFileArgument(line.c_str()); }));
        EXPECT_EQ(std::wstring(FileArgument), line);
    }
}

TEST(ConfigArgument, OverLongIsRefused) {
    SetFileArgument(L"\\before.txt");
    for (size_t length : {512u, 513u, 4000u}) {
        SCOPED_TRACE(length);
        std::wstring line(length, L'a');
        EXPECT_TRUE(RaisesReport([&] { SetFileArgument(line.c_str()); }, L"Parameter",
                                 L"Слишком длинный параметр программы.", false));
        EXPECT_STREQ(FileArgument, L"\\before.txt");
    }
}

// The helper the other tests rely on: it answers a box and sees what the box showed.
TEST(BoxAnswererCheck, AnswersAndRecords) {
    int answer = 0;
    {
        BoxAnswerer answerer({IDNO});
        answer = MessageBoxW(nullptr, L"Текст", L"Подумайте", MB_YESNO);
        ASSERT_EQ(answerer.boxes().size(), 1u);
        EXPECT_EQ(answerer.boxes()[0].text, L"Текст");
        EXPECT_EQ(answerer.boxes()[0].caption, L"Подумайте");
        EXPECT_EQ(answerer.boxes()[0].buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(answerer.boxes()[0].owner, nullptr);
    }
    EXPECT_EQ(answer, IDNO);
}
