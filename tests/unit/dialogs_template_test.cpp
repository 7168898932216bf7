// The three dialog templates, read back byte for byte from the test binary's resources.
#include "ui/dialogs.h"
#include "support/test_support.h"

namespace {

// A name or ordinal of a template: the ordinal when the text is empty.
struct NameOrOrdinal {
    WORD ordinal = 0;
    std::wstring text;
    bool operator==(const NameOrOrdinal &other) const { return ordinal == other.ordinal && text == other.text; }
};

struct Control {
    DWORD style, exStyle;
    short x, y, cx, cy;
    WORD id;
    NameOrOrdinal windowClass, title;
    bool operator==(const Control &o) const {
        return style == o.style && exStyle == o.exStyle && x == o.x && y == o.y && cx == o.cx && cy == o.cy &&
               id == o.id && windowClass == o.windowClass && title == o.title;
    }
};

struct Template {
    DWORD style, exStyle;
    short x, y, cx, cy;
    NameOrOrdinal menu, windowClass;
    std::wstring title;
    WORD pointSize;
    std::wstring font;
    std::vector<Control> controls;
};

class Reader {
public:
    Reader(const BYTE *data, DWORD size) : data_(data), size_(size) {}
    template <typename T> T Take() {
        T value{};
        if (at_ + sizeof(T) <= size_) memcpy(&value, data_ + at_, sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    std::wstring Text() {
        std::wstring text;
        for (WCHAR c; (c = Take<WCHAR>()) != 0 && at_ <= size_;) text += c;
        return text;
    }
    NameOrOrdinal Name() {
        NameOrOrdinal name;
        WORD first = Take<WORD>();
        if (first == 0xFFFF) {
            name.ordinal = Take<WORD>();
        } else if (first != 0) {
            name.text = std::wstring(1, (WCHAR)first) + Text();
        }
        return name;
    }
    void AlignToDword() { at_ = (at_ + 3) & ~size_t(3); }
    size_t at() const { return at_; }

private:
    const BYTE *data_;
    DWORD size_;
    size_t at_ = 0;
};

// Classes that a template may name by ordinal.
NameOrOrdinal ClassName(const std::wstring &name) {
    if (name == L"BUTTON") return {0x80, L""};
    if (name == L"EDIT") return {0x81, L""};
    if (name == L"STATIC") return {0x82, L""};
    return {0, name};
}

// A class stored as text is the same class as its ordinal.
NameOrOrdinal Normalised(NameOrOrdinal name) {
    std::wstring upper = name.text;
    for (WCHAR &c : upper) c = (WCHAR)towupper(c);
    return name.text.empty() ? name : ClassName(upper);
}

std::optional<Template> LoadTemplate(int id) {
    HRSRC found = FindResourceExW(nullptr, RT_DIALOG, MAKEINTRESOURCEW(id), MAKELANGID(0x19, SUBLANG_DEFAULT));
    if (!found) return std::nullopt;
    DWORD size = SizeofResource(nullptr, found);
    const BYTE *data = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, found)));
    Reader in(data, size);
    Template t;
    t.style = in.Take<DWORD>();
    t.exStyle = in.Take<DWORD>();
    WORD count = in.Take<WORD>();
    t.x = in.Take<short>();
    t.y = in.Take<short>();
    t.cx = in.Take<short>();
    t.cy = in.Take<short>();
    t.menu = in.Name();
    t.windowClass = in.Name();
    t.title = in.Text();
    t.pointSize = (t.style & DS_SETFONT) ? in.Take<WORD>() : 0;
    if (t.style & DS_SETFONT) t.font = in.Text();
    for (WORD i = 0; i < count; ++i) {
        in.AlignToDword();
        Control c;
        c.style = in.Take<DWORD>();
        c.exStyle = in.Take<DWORD>();
        c.x = in.Take<short>();
        c.y = in.Take<short>();
        c.cx = in.Take<short>();
        c.cy = in.Take<short>();
        c.id = in.Take<WORD>();
        c.windowClass = Normalised(in.Name());
        c.title = in.Name();
        WORD extra = in.Take<WORD>();
        for (WORD skipped = 0; skipped < extra; ++skipped) in.Take<BYTE>();
        t.controls.push_back(c);
    }
    if (in.at() > size) return std::nullopt;
    return t;
}

Control Text(const wchar_t *windowClass, WORD id, const std::wstring &text, short x, short y, short cx, short cy,
             DWORD style) {
    return Control{style, 0, x, y, cx, cy, id, ClassName(windowClass), {0, text}};
}

::testing::AssertionResult HasHeader(const Template &t, DWORD style, DWORD exStyle, short cx, short cy,
                                     const std::wstring &title) {
    if (t.style != style || t.exStyle != exStyle) return ::testing::AssertionFailure() << "other styles";
    if (t.x != 0 || t.y != 0 || t.cx != cx || t.cy != cy) return ::testing::AssertionFailure() << "other place";
    if (!(t.menu == NameOrOrdinal{}) || !(t.windowClass == NameOrOrdinal{}))
        return ::testing::AssertionFailure() << "a menu or class";
    if (t.title != title) return ::testing::AssertionFailure() << "other title";
    if (t.pointSize != 8 || t.font != L"System") return ::testing::AssertionFailure() << "other font";
    return ::testing::AssertionSuccess();
}

void ExpectControls(const Template &t, const std::vector<Control> &wanted) {
    ASSERT_EQ(t.controls.size(), wanted.size());
    for (size_t i = 0; i < wanted.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "control " << i + 1);
        const Control &got = t.controls[i], &want = wanted[i];
        EXPECT_EQ(got.style, want.style);
        EXPECT_EQ(got.exStyle, want.exStyle);
        EXPECT_EQ((std::vector<short>{got.x, got.y, got.cx, got.cy}), (std::vector<short>{want.x, want.y, want.cx, want.cy}));
        EXPECT_EQ(got.id, want.id);
        EXPECT_TRUE(got.windowClass == want.windowClass);
        EXPECT_TRUE(got.title == want.title) << "title differs";
    }
}

TEST(DialogTemplates, AboutIsStandardTemplate103) {
    std::optional<Template> about = LoadTemplate(IDD_ABOUT);
    ASSERT_TRUE(about);
    EXPECT_TRUE(HasHeader(*about, 0x80C00040, 0x80000000, 140, 157, L"Velandrimour"));
    ASSERT_EQ(about->controls.size(), 7u);
    Control icon{0x50000003, 0, 13, 14, 20, 20, 0xFFFF, ClassName(L"STATIC"), {IDI_VELANDRIMOUR, L""}};
    EXPECT_TRUE(about->controls[0] == icon);
    ExpectControls(*about, {icon,
                            Text(L"STATIC", 0xFFFF, L"Velandrimour\r\nВерсия 1.00", 39, 14, 87, 17, 0x50020081),
                            Text(L"STATIC", 0xFFFF, L"Разработчики Velandrimour", 32, 58, 70, 19, 0x50020001),
                            Text(L"STATIC", 0xFFFF, L"в трекере проекта", 30, 136, 80, 11, 0x50020001),
                            Text(L"STATIC", 0xFFFF, L"Для Pocket PC", 27, 36, 84, 11, 0x50020001),
                            Text(L"STATIC", 0xFFFF, L"Настройки: файл velandrimour.ini", 27, 84, 83, 16, 0x50020001),
                            Text(L"STATIC", 0xFFFF, L"буду благодарен за замечания и пожелания", 22, 117, 95, 17,
                                 0x50020001)});
}

TEST(DialogTemplates, ManualRegistrationIsStandardTemplate105) {
    std::optional<Template> associate = LoadTemplate(IDD_ASSOCIATE);
    ASSERT_TRUE(associate);
    EXPECT_TRUE(HasHeader(*associate, 0x80C800C0, 0, 137, 138, L"Ассоциирование"));
    ExpectControls(*associate,
                   {Text(L"BUTTON", 1001, L"Ассоциировать", 32, 65, 72, 14, 0x50010001),
                    Text(L"BUTTON", 1002, L"Отказаться", 32, 83, 72, 14, 0x50010000),
                    Text(L"STATIC", 0xFFFF, L"Введите расширение, с которым хотите ассоциировать эту программу", 17,
                         10, 103, 25, 0x50020001),
                    Text(L"EDIT", 1003, L"", 43, 47, 50, 12, 0x50810080)});
}

TEST(DialogTemplates, HelpIsStandardTemplate106) {
    std::optional<Template> help = LoadTemplate(IDD_HELP);
    ASSERT_TRUE(help);
    EXPECT_TRUE(HasHeader(*help, 0x80C800C0, 0, 137, 151, L"Dialog"));
    ExpectControls(*help, {Text(L"EDIT", 1004, L"", 3, 5, 131, 140, 0x50A00805)});
}

TEST(DialogTemplates, TemplatesAreNotExtended) {
    for (int id : {IDD_ABOUT, IDD_ASSOCIATE, IDD_HELP}) {
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
        ASSERT_NE(found, nullptr) << id;
        const WORD *words = static_cast<const WORD *>(LockResource(LoadResource(nullptr, found)));
        EXPECT_FALSE(words[0] == 1 && words[1] == 0xFFFF) << id << " is a DIALOGEX";
    }
}

TEST(HelpText, Is914CharactersOfTheProgramsOwnText) {
    std::wstring text = HelpText;
    EXPECT_EQ(text.size(), 914u);
    EXPECT_EQ(text.rfind(L"\r\n     Программа \"Velandrimour\"\r\n\r\nПрограмма позволяет", 0), 0u);
    for (const wchar_t *piece :
         {L"Pocket Word, HaaliReader, Pocket Notepad и т.д.", L"назначая ей аппаратную кнопку. \r\n\r\nУправление",
          L"в той же директории что и velandrimour.exe.", L"ВВЕРХ, ВНИЗ, ВЛЕВО, ВПРАВО, так  же,"})
        EXPECT_NE(text.find(piece), std::wstring::npos) << std::wstring(piece).size();
    const std::wstring end = L"соответствует выбору первой  экранной кнопки.";
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
}

}  // namespace
