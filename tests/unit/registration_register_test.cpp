// Registering one extension, against the real registry of the test prefix.
#include "registration/registration.h"
#include "support/registry_support.h"
#include "support/test_support.h"

namespace {

const std::wstring kCaption = L"Подумайте";
const std::vector<int> kYesNoCancel = {IDCANCEL, IDYES, IDNO};
const std::vector<int> kYesNo = {IDYES, IDNO};

std::wstring NewQuestion(const std::wstring &extension) {
    return L"Вы хотие связать файлы с расширением \"" + extension + L"\" с данной программой?";
}
std::wstring ExistingQuestion(const std::wstring &extension) {
    return NewQuestion(extension) + L"\r\nСтарая связь будет безвозвратно потеряна!";
}
std::wstring IconQuestion(const std::wstring &extension) {
    return L"Вы хотие оставить старую иконку для файлов с расширением\" " + extension + L"\" (рекомендуется).";
}

::testing::AssertionResult ShowedBox(const SeenBox &box, const std::wstring &text, const std::vector<int> &buttons,
                                     HWND owner, const std::wstring &caption = kCaption) {
    if (box.caption != caption) return ::testing::AssertionFailure() << "other caption";
    if (box.text != text) return ::testing::AssertionFailure() << "other text";
    if (box.buttons != buttons) return ::testing::AssertionFailure() << "other buttons";
    if (box.owner != owner) return ::testing::AssertionFailure() << "other owner";
    return ::testing::AssertionSuccess();
}

// The whole layout of a new registration of extension under type name.
::testing::AssertionResult HasNewLayout(const std::wstring &extension, const std::wstring &type) {
    if (auto r = HasExpandValue(L"." + extension, type); !r) return r;
    if (auto r = HasExpandValue(type + L"\\DefaultIcon", ExpectedIcon()); !r) return r;
    if (auto r = HasExpandValue(type + L"\\Shell\\Open\\Command", ExpectedOpenCommand()); !r) return r;
    for (const std::wstring &key : {L"." + extension, type, type + L"\\DefaultIcon", type + L"\\Shell",
                                    type + L"\\Shell\\Open", type + L"\\Shell\\Open\\Command"})
        if (KeyClassOf(key) != L"String")
            return ::testing::AssertionFailure() << "key without class String";
    if (DefaultValueOf(type) || DefaultValueOf(type + L"\\Shell") || DefaultValueOf(type + L"\\Shell\\Open"))
        return ::testing::AssertionFailure() << "a value where none belongs";
    return ::testing::AssertionSuccess();
}

// An extension registered by some other program: .old names oldtype, with an icon and a command.
struct OtherProgramsRegistration {
    std::wstring extension, type;
    ThrowawayKeys keys;
    OtherProgramsRegistration(const std::wstring &extension, const std::wstring &type)
        : extension(extension), type(type), keys({L"." + extension, type, extension + L"file"}) {
        EXPECT_TRUE(CreateKeyWithValue(L"." + extension, type));
        EXPECT_TRUE(CreateKeyWithValue(type + L"\\DefaultIcon", L"old.dll,-1"));
        EXPECT_TRUE(CreateKeyWithValue(type + L"\\Shell\\Open\\Command", L"old.exe %1"));
    }
};

::testing::AssertionResult HasSzValue(const std::wstring &path, const std::wstring &text) {
    std::optional<StoredValue> value = DefaultValueOf(path);
    if (!value || value->type != REG_SZ || value->text != text + L'\0')
        return ::testing::AssertionFailure() << "value changed or missing";
    return ::testing::AssertionSuccess();
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(owner_, nullptr);
    }
    void TearDown() override { DestroyWindow(owner_); }
    BOOL Register(const std::wstring &extension) { return RegisterTypedExtension(extension.c_str(), owner_); }
    HWND owner_ = nullptr;
};

TEST_F(Registration, RegistryValuesNameTheExecutable) {
    BuildRegistryValues();
    EXPECT_EQ(std::wstring(OpenCommandValue), ExpectedOpenCommand());
    EXPECT_EQ(std::wstring(IconValue), ExpectedIcon());
}

TEST_F(Registration, NewExtensionGetsTheWholeLayoutAfterOneQuestion) {
    ThrowawayKeys keys({L".vlnd_test_txt", L"vlnd_test_txtfile"});
    BoxAnswerer answerer({IDYES});
    EXPECT_TRUE(Register(L"vlnd_test_txt"));
    ASSERT_EQ(answerer.boxes().size(), 1u);
    EXPECT_TRUE(ShowedBox(answerer.boxes()[0], NewQuestion(L"vlnd_test_txt"), kYesNoCancel, owner_));
    EXPECT_TRUE(HasNewLayout(L"vlnd_test_txt", L"vlnd_test_txtfile"));
    EXPECT_EQ(DefaultValueOf(L".vlnd_test_txt")->bytes, 36u);
}

TEST_F(Registration, TypeNameTakesAsManyUnderscoresAsTaken) {
    struct Case {
        std::vector<std::wstring> taken;
        std::wstring type;
    } cases[] = {
        {{}, L"vlnd_xfile"},
        {{L"vlnd_xfile"}, L"vlnd_xfile_"},
        {{L"vlnd_xfile", L"vlnd_xfile_"}, L"vlnd_xfile__"},
        {{L"vlnd_xfile_"}, L"vlnd_xfile"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.taken.size() << " taken, wanted " << c.type.size() << " characters");
        ThrowawayKeys keys({L".vlnd_x", L"vlnd_xfile", L"vlnd_xfile_", L"vlnd_xfile__", L"vlnd_xfile___"});
        for (const std::wstring &name : c.taken) ASSERT_TRUE(CreateKeyWithValue(name, L"taken"));
        BoxAnswerer answerer({IDYES});
        EXPECT_TRUE(Register(L"vlnd_x"));
        EXPECT_TRUE(HasNewLayout(L"vlnd_x", c.type));
        for (const std::wstring &name : c.taken) {
            EXPECT_TRUE(HasSzValue(name, L"taken"));
            EXPECT_FALSE(KeyExists(name + L"\\Shell"));
        }
    }
}

TEST_F(Registration, ExtensionIsUsedAsTyped) {
    struct Case {
        std::wstring typed, key, type;
    } cases[] = {
        {L"VLND_TEST_TXT", L".VLND_TEST_TXT", L"VLND_TEST_TXTfile"},
        {L".vlnd_test_txt", L"..vlnd_test_txt", L".vlnd_test_txtfile"},
        {L" vlnd_test txt ", L". vlnd_test txt ", L" vlnd_test txt file"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.key.begin(), c.key.end()));
        ThrowawayKeys keys({c.key, c.type});
        BoxAnswerer answerer({IDYES});
        EXPECT_TRUE(Register(c.typed));
        ASSERT_EQ(answerer.boxes().size(), 1u);
        EXPECT_EQ(answerer.boxes()[0].text, NewQuestion(c.typed));
        EXPECT_TRUE(HasNewLayout(c.typed, c.type)) << "under " << std::string(c.type.begin(), c.type.end());
        EXPECT_EQ(StoredKeyName(c.key), c.key);
        EXPECT_EQ(StoredKeyName(c.type), c.type);
    }
}

TEST_F(Registration, NoAndCancelWriteNothing) {
    struct Case {
        bool existing;
        int answer;
        BOOL result;
    } cases[] = {{false, IDNO, TRUE}, {false, IDCANCEL, FALSE}, {true, IDNO, TRUE}, {true, IDCANCEL, FALSE}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << (c.existing ? "existing" : "new") << ", answer " << c.answer);
        std::optional<OtherProgramsRegistration> other;
        ThrowawayKeys keys({L".vlnd_test_no", L"vlnd_test_nofile"});
        if (c.existing) other.emplace(L"vlnd_test_no", L"vlnd_test_notype");
        BoxAnswerer answerer({c.answer});
        EXPECT_EQ(Register(L"vlnd_test_no"), c.result);
        ASSERT_EQ(answerer.boxes().size(), 1u);
        EXPECT_EQ(answerer.boxes()[0].text, c.existing ? ExistingQuestion(L"vlnd_test_no") : NewQuestion(L"vlnd_test_no"));
        EXPECT_FALSE(KeyExists(L"vlnd_test_nofile"));
        if (c.existing) {
            EXPECT_TRUE(HasSzValue(L".vlnd_test_no", L"vlnd_test_notype"));
            EXPECT_TRUE(HasSzValue(L"vlnd_test_notype\\DefaultIcon", L"old.dll,-1"));
            EXPECT_TRUE(HasSzValue(L"vlnd_test_notype\\Shell\\Open\\Command", L"old.exe %1"));
        } else {
            EXPECT_FALSE(KeyExists(L".vlnd_test_no"));
        }
    }
}

TEST_F(Registration, ExistingRegistrationGetsOnlyTheOpenCommandAndMaybeTheIcon) {
    struct Case {
        int iconAnswer;
        bool iconRewritten;
    } cases[] = {{IDYES, false}, {IDNO, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << "icon answer " << c.iconAnswer);
        OtherProgramsRegistration other(L"vlnd_test_old", L"vlnd_test_oldtype");
        BoxAnswerer answerer({IDYES, c.iconAnswer});
        EXPECT_TRUE(Register(L"vlnd_test_old"));
        ASSERT_EQ(answerer.boxes().size(), 2u);
        EXPECT_TRUE(ShowedBox(answerer.boxes()[0], ExistingQuestion(L"vlnd_test_old"), kYesNoCancel, owner_));
        EXPECT_TRUE(ShowedBox(answerer.boxes()[1], IconQuestion(L"vlnd_test_old"), kYesNo, owner_));
        EXPECT_TRUE(HasSzValue(L".vlnd_test_old", L"vlnd_test_oldtype"));
        EXPECT_TRUE(HasExpandValue(L"vlnd_test_oldtype\\Shell\\Open\\Command", ExpectedOpenCommand()));
        if (c.iconRewritten)
            EXPECT_TRUE(HasExpandValue(L"vlnd_test_oldtype\\DefaultIcon", ExpectedIcon()));
        else
            EXPECT_TRUE(HasSzValue(L"vlnd_test_oldtype\\DefaultIcon", L"old.dll,-1"));
        EXPECT_FALSE(KeyExists(L"vlnd_test_oldfile"));
        EXPECT_FALSE(DefaultValueOf(L"vlnd_test_oldtype"));
    }
}

TEST_F(Registration, ExistingTypeWithoutItsKeysGetsNoKeyCreated) {
    ThrowawayKeys keys({L".vlnd_test_bare", L"vlnd_test_baretype", L"vlnd_test_barefile"});
    ASSERT_TRUE(CreateKeyWithValue(L".vlnd_test_bare", L"vlnd_test_baretype"));
    ASSERT_TRUE(CreateKeyWithValue(L"vlnd_test_baretype\\Shell\\Open"));
    BoxAnswerer answerer({IDYES, IDNO});
    EXPECT_TRUE(Register(L"vlnd_test_bare"));
    EXPECT_EQ(answerer.boxes().size(), 2u);
    EXPECT_FALSE(KeyExists(L"vlnd_test_baretype\\Shell\\Open\\Command"));
    EXPECT_FALSE(KeyExists(L"vlnd_test_baretype\\DefaultIcon"));
    EXPECT_FALSE(DefaultValueOf(L"vlnd_test_baretype\\Shell\\Open"));
    EXPECT_FALSE(KeyExists(L"vlnd_test_barefile"));
}

TEST_F(Registration, SecondRegistrationTakesTheExistingBranch) {
    ThrowawayKeys keys({L".vlnd_test_twice", L"vlnd_test_twicefile", L"vlnd_test_twicefile_"});
    BoxAnswerer answerer({IDYES, IDYES, IDNO});
    EXPECT_TRUE(Register(L"vlnd_test_twice"));
    EXPECT_TRUE(Register(L"vlnd_test_twice"));
    ASSERT_EQ(answerer.boxes().size(), 3u);
    EXPECT_EQ(answerer.boxes()[1].text, ExistingQuestion(L"vlnd_test_twice"));
    EXPECT_EQ(answerer.boxes()[2].text, IconQuestion(L"vlnd_test_twice"));
    EXPECT_TRUE(HasNewLayout(L"vlnd_test_twice", L"vlnd_test_twicefile"));
    EXPECT_FALSE(KeyExists(L"vlnd_test_twicefile_"));
}

// An extension key that names no type: after Yes it is registered as a new one.
TEST_F(Registration, ExtensionKeyNamingNoTypeIsRegisteredAfresh) {
    struct Case {
        const char *what;
        std::optional<std::wstring> value;
    } cases[] = {{"no default value", std::nullopt}, {"empty default value", L""}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ThrowawayKeys keys({L".vlnd_test_empty", L"vlnd_test_emptyfile"});
        ASSERT_TRUE(CreateKeyWithValue(L".vlnd_test_empty", c.value));
        BoxAnswerer answerer({IDYES});
        EXPECT_TRUE(Register(L"vlnd_test_empty"));
        ASSERT_EQ(answerer.boxes().size(), 1u);
        EXPECT_EQ(answerer.boxes()[0].text, ExistingQuestion(L"vlnd_test_empty"));
        EXPECT_TRUE(HasNewLayout(L"vlnd_test_empty", L"vlnd_test_emptyfile"));
        std::optional<StoredValue> underRoot = DefaultValueOf(L"Shell\\Open\\Command");
        EXPECT_TRUE(!underRoot || underRoot->text != ExpectedOpenCommand() + L'\0') << "written under an empty type name";
    }
}

// A stored type name is read with the buffer's own size: 71 characters fit, 72 do not.
TEST_F(Registration, StoredTypeNameLongerThanTheBufferWritesNothing) {
    struct Case {
        size_t length;
        bool rewritten;
    } cases[] = {{71, true}, {72, false}, {200, false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.length << " characters");
        std::wstring type = L"vlnd_test_long" + std::wstring(c.length - 14, L't');
        OtherProgramsRegistration other(L"vlnd_test_long", type);
        BoxAnswerer answerer({IDYES, IDNO});
        EXPECT_TRUE(Register(L"vlnd_test_long"));
        EXPECT_EQ(answerer.boxes().size(), c.rewritten ? 2u : 1u);
        EXPECT_TRUE(HasSzValue(L".vlnd_test_long", type));
        if (c.rewritten) {
            EXPECT_TRUE(HasExpandValue(type + L"\\Shell\\Open\\Command", ExpectedOpenCommand()));
            EXPECT_TRUE(HasExpandValue(type + L"\\DefaultIcon", ExpectedIcon()));
        } else {
            EXPECT_TRUE(HasSzValue(type + L"\\Shell\\Open\\Command", L"old.exe %1"));
            EXPECT_TRUE(HasSzValue(type + L"\\DefaultIcon", L"old.dll,-1"));
        }
        EXPECT_FALSE(KeyExists(L"vlnd_test_longfile"));
    }
}

// The key name holds an extension of 50 characters; a longer one is refused with a box.
TEST_F(Registration, ExtensionLongerThanTheKeyNameIsRefused) {
    std::wstring fits = L"vlnd_" + std::wstring(45, L'f');
    std::wstring tooLong = L"vlnd_" + std::wstring(46, L'l');
    ThrowawayKeys keys({L"." + fits, fits + L"file", L"." + tooLong, tooLong + L"file"});
    BoxAnswerer answerer({IDYES, IDOK});
    EXPECT_TRUE(Register(fits));
    EXPECT_TRUE(Register(tooLong));
    ASSERT_EQ(answerer.boxes().size(), 2u);
    EXPECT_TRUE(HasNewLayout(fits, fits + L"file"));
    EXPECT_TRUE(ShowedBox(answerer.boxes()[1], L"Слишком длинное расширение.", {IDOK}, owner_, L"Extention"));
    EXPECT_FALSE(KeyExists(L"." + tooLong));
    EXPECT_FALSE(KeyExists(tooLong + L"file"));
}

// Type names of up to 71 characters; when every one that fits is taken, nothing is written.
TEST_F(Registration, NoRoomForAnotherUnderscoreWritesNothing) {
    std::wstring extension = L"vlnd_" + std::wstring(45, L'u');
    std::vector<std::wstring> names;
    for (size_t underscores = 0; underscores <= 18; ++underscores)
        names.push_back(extension + L"file" + std::wstring(underscores, L'_'));
    std::vector<std::wstring> all = names;
    all.push_back(L"." + extension);
    ThrowawayKeys keys(all);
    for (size_t taken = 0; taken < 17; ++taken) ASSERT_TRUE(CreateKeyWithValue(names[taken], L"taken"));
    {
        SCOPED_TRACE("the last name of 71 characters is free");
        BoxAnswerer answerer({IDYES});
        EXPECT_TRUE(Register(extension));
        ASSERT_EQ(names[17].size(), 71u);
        EXPECT_TRUE(HasNewLayout(extension, names[17]));
    }
    DeleteKeyTree(L"." + extension);
    {
        SCOPED_TRACE("every name that fits is taken");
        BoxAnswerer answerer({IDYES});
        EXPECT_TRUE(Register(extension));
        EXPECT_EQ(answerer.boxes().size(), 1u);
        EXPECT_FALSE(KeyExists(L"." + extension));
        EXPECT_FALSE(KeyExists(names[18]));
        EXPECT_TRUE(HasSzValue(names[16], L"taken"));
    }
}

}  // namespace
