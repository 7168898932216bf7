// Collecting the extensions of the configuration file's headers, and the pass over them.
#include "app/shell.h"
#include "registration/registration.h"
#include "support/registry_support.h"
#include "support/test_support.h"

namespace {

const std::wstring kTooLong = L"Суммарная длина расширений превышает 1024 символа.";

// Points ConfigPath at a scratch copy of the given text, in code page 1251.
class ConfigFile {
public:
    explicit ConfigFile(const std::wstring &text) {
        std::wstring path = dir_.file(L"velandrimour.ini");
        EXPECT_TRUE(WriteBytes(path, ToCp1251(text)));
        wcscpy_s(ConfigPath, ConfigPathCapacity, path.c_str());
    }

private:
    ScratchDir dir_;
};

// Every name NextExtension yields after CollectExtensions.
std::vector<std::wstring> NamesOf(const std::wstring &text) {
    ConfigFile file(text);
    CollectExtensions();
    std::vector<std::wstring> names;
    while (NextExtension()) names.push_back(CurrentExtension);
    return names;
}

TEST(CollectExtensions, HeaderRules) {
    using Names = std::vector<std::wstring>;
    struct Case {
        const char *what;
        std::wstring text;
        Names names;
    } cases[] = {
        {"wildcard ends it, submenus skipped", L"[txt]\r\n{tools}\r\n[doc]\r\n[*]\r\n[log]\r\n", {L"txt", L"doc"}},
        {"quick-launch section", L"[]\r\nA;b;c\r\n[txt]\r\n", {L"txt"}},
        {"two in one line", L"[txt][log]\r\n", {L"txt", L"log"}},
        {"two with a blank between", L"[txt] [doc]\r\n", {L"txt", L"doc"}},
        {"text after the bracket", L"[txt] all text[doc]x\r\n", {L"txt", L"doc"}},
        {"wildcard in the same line", L"[txt][*]\r\n[doc]\r\n", {}},
        {"wildcard after text", L"[txt] [*]\r\n", {}},
        {"unclosed header before another", L"[txt\r\n[doc]\r\n", {L"txt[doc"}},
        {"unclosed last header", L"[txt]\r\n[doc\r\n", {L"txt"}},
        {"entry lines and comments", L"Word;pword.exe;[x]\r\n;[c]\r\n   [txt]\r\n", {L"txt"}},
        {"case kept", L"[TXT]\r\n", {L"TXT"}},
        {"same extension twice", L"[txt]\r\n[txt]\r\n", {L"txt", L"txt"}},
        {"headers only after the wildcard", L"[*]\r\n[txt]\r\n", {}},
        {"no header", L"Word;pword.exe;%1\r\n", {}},
        {"empty file", L"", {}},
        {"empty names only", L"[][]\r\n[] []\r\n", {}},
        {"no line end at the end", L"[txt]", {L"txt"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(NamesOf(c.text), c.names);
        EXPECT_FALSE(NextExtension()) << "the list is consumed";
    }
}

TEST(CollectExtensions, ListHoldsTheWholeLinesJoined) {
    ConfigFile file(L"[txt] note\r\n{menu}\r\n[doc]\r\n[*]\r\n");
    CollectExtensions();
    EXPECT_EQ(std::wstring(ExtensionList), L"[txt] note[doc]");
    EXPECT_EQ(ExtensionCursor, ExtensionList);
}

// Up to 1020 characters of headers are taken; one more ends the program.
TEST(CollectExtensions, TotalLengthLimit) {
    struct Case {
        size_t total;
        bool reported;
    } cases[] = {{1020, false}, {1021, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.total << " characters");
        std::wstring first = L"[" + std::wstring(508, L'a') + L"]";
        std::wstring quickLaunch = L"[]";
        std::wstring second = L"[" + std::wstring(c.total - first.size() - quickLaunch.size() - 2, L'b') + L"]";
        ConfigFile file(first + L"\r\n" + quickLaunch + L"\r\n" + second + L"\r\n");
        if (c.reported) {
            EXPECT_TRUE(RaisesReport([] { CollectExtensions(); }, L"Associate", kTooLong, false));
        } else {
            EXPECT_TRUE(RaisesNoReport([] { CollectExtensions(); }));
            EXPECT_EQ(wcslen(ExtensionList), c.total);
        }
    }
}

class RegisterAll : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }
    HWND owner_ = nullptr;
    ThrowawayKeys keys_{{L".vlnd_a", L"vlnd_afile", L".vlnd_b", L"vlnd_bfile", L".vlnd_c", L"vlnd_cfile"}};
};

TEST_F(RegisterAll, OffersEachExtensionInFileOrder) {
    ConfigFile file(L"[vlnd_a]\r\n{tools}\r\n[vlnd_b][vlnd_c]\r\n[*]\r\n[vlnd_d]\r\n");
    BoxAnswerer answerer({IDYES, IDNO, IDYES});
    RegisterAllExtensions(owner_);
    ASSERT_EQ(answerer.boxes().size(), 3u);
    const wchar_t *offered[] = {L"vlnd_a", L"vlnd_b", L"vlnd_c"};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NE(answerer.boxes()[i].text.find(std::wstring(L"\"") + offered[i] + L"\""), std::wstring::npos);
        EXPECT_EQ(answerer.boxes()[i].owner, owner_);
    }
    EXPECT_TRUE(HasExpandValue(L".vlnd_a", L"vlnd_afile"));
    EXPECT_FALSE(KeyExists(L".vlnd_b"));
    EXPECT_TRUE(HasExpandValue(L"vlnd_cfile\\Shell\\Open\\Command", ExpectedOpenCommand()));
}

TEST_F(RegisterAll, CancelAtTheSecondOfThreeStopsThePass) {
    ConfigFile file(L"[vlnd_a]\r\n[vlnd_b]\r\n[vlnd_c]\r\n");
    BoxAnswerer answerer({IDYES, IDCANCEL});
    RegisterAllExtensions(owner_);
    EXPECT_EQ(answerer.boxes().size(), 2u);
    EXPECT_TRUE(HasExpandValue(L"vlnd_afile\\DefaultIcon", ExpectedIcon()));
    EXPECT_FALSE(KeyExists(L".vlnd_b"));
    EXPECT_FALSE(KeyExists(L".vlnd_c"));
}

TEST_F(RegisterAll, SameExtensionTwiceIsAskedAgainAsRegistered) {
    ConfigFile file(L"[vlnd_a]\r\n[vlnd_a]\r\n");
    BoxAnswerer answerer({IDYES, IDYES, IDYES});
    RegisterAllExtensions(owner_);
    ASSERT_EQ(answerer.boxes().size(), 3u);
    EXPECT_NE(answerer.boxes()[1].text.find(L"Старая связь будет безвозвратно потеряна!"), std::wstring::npos);
    EXPECT_EQ(answerer.boxes()[2].buttons, (std::vector<int>{IDYES, IDNO}));
}

// A name too long for the key is refused in a box of its own, and the pass goes on.
TEST_F(RegisterAll, TooLongNameIsRefusedAndThePassGoesOn) {
    std::wstring tooLong(51, L'x');
    ConfigFile file(L"[" + tooLong + L"][vlnd_b]\r\n");
    BoxAnswerer answerer({IDOK, IDYES});
    RegisterAllExtensions(owner_);
    ASSERT_EQ(answerer.boxes().size(), 2u);
    EXPECT_EQ(answerer.boxes()[0].caption, L"Extention");
    EXPECT_EQ(answerer.boxes()[0].text, L"Слишком длинное расширение.");
    EXPECT_EQ(answerer.boxes()[0].owner, owner_);
    EXPECT_FALSE(KeyExists(L"." + tooLong));
    EXPECT_TRUE(HasExpandValue(L".vlnd_b", L"vlnd_bfile"));
}

TEST_F(RegisterAll, TooMuchHeaderTextAsksNothing) {
    std::wstring header = L"[vlnd_a]" + std::wstring(500, L' ');
    ConfigFile file(header + L"\r\n" + header + L"\r\n" + header + L"\r\n");
    BoxAnswerer answerer({IDYES});
    EXPECT_TRUE(RaisesReport([&] { RegisterAllExtensions(owner_); }, L"Associate", kTooLong, false));
    EXPECT_TRUE(answerer.boxes().empty());
    EXPECT_FALSE(KeyExists(L".vlnd_a"));
}

TEST_F(RegisterAll, FileWithoutExtensionHeadersAsksNothing) {
    ConfigFile file(L"[]\r\nA;b.exe;\r\n{menu}\r\n[*]\r\n[vlnd_a]\r\n");
    BoxAnswerer answerer({IDYES});
    RegisterAllExtensions(owner_);
    EXPECT_TRUE(answerer.boxes().empty());
    EXPECT_FALSE(KeyExists(L".vlnd_a"));
}

}  // namespace
