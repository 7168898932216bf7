// --show: the launcher's row for a start, every submenu under its button, and its reports.
#include "check_support.h"

TEST_F(CheckTest, ShowFollowsEverySubmenuOnceAndNamesOneReachedAgain) {
    check::ConfigImage image = Load("[TXT]\r\nA;notepad;-o %1 \r\nB;menu;m\r\n{m}\r\nC;menu;n\r\n{n}\r\nD;MENU;m\r\n");
    check::Shown shown = check::Show(image, L"\\a.txt");
    EXPECT_FALSE(check::Reports(shown));
    EXPECT_EQ(shown.rows[0].key, L"[txt]");
    EXPECT_EQ(shown.rows[0].headerLine, 1);
    EXPECT_EQ(check::FormatShown(shown),
              L"Ключ: [txt]\n"
              L"Раздел: строка 1: [TXT]\n"
              L"1. «A»: команда «notepad», параметры «-o \\a.txt»\n"
              L"2. «B»: команда «menu», параметры «m»\n"
              L"    Ключ: {m}\n"
              L"    Раздел: строка 4: {m}\n"
              L"    1. «C»: команда «menu», параметры «n»\n"
              L"        Ключ: {n}\n"
              L"        Раздел: строка 6: {n}\n"
              L"        1. «D»: команда «MENU», параметры «m»\n"
              L"            подменю {m} уже показано выше\n");
}

TEST_F(CheckTest, ShowPrintsTheBoxTheLauncherWouldShow) {
    const struct {
        std::string file;
        std::wstring argument;
        bool reports;
        std::wstring text;
    } cases[] = {
        {"[doc]\r\nA;b;c\r\n", L"a.txt", true,
         L"Ключ: [txt]\nОкно «Extention error»:\n  В файле velandrimour.ini нет раздела для расширения \"[txt],\" а так же "
         L"раздела для [*].\n\n  Запустить Pocket Word для редактирования INI-файла.\n"},
        {"[doc]\r\nA;b;c\r\n", L"", false,
         L"Ключ: []\nОкно «Сообщение»:\n  Программа запущена без параметров, но в файле velandrimour.ini нет раздела "
         L"\"[]\".\nКнопок нет.\n"},
        {"[]\r\nA;menu;" + Repeat('n', 41) + "\r\n", L"", true,
         L"Ключ: []\nРаздел: строка 1: []\n1. «A»: команда «menu», параметры «" + std::wstring(41, L'n') +
             L"»\n    Окно «SubMenu»:\n      Слишком длинное название подменю.\n"},
        // The notice comes at start-up only: a submenu without entries shows none.
        {"[]\r\nA;menu;m[]\r\n", L"", false,
         L"Ключ: []\nРаздел: строка 1: []\n1. «A»: команда «menu», параметры «m[]»\n    Ключ: {m[]}\n    Кнопок нет.\n"},
        // Russian titles as the device reads them, whatever the PC's code page.
        {ToCp1251(L"{ещё}\r\nБлокнот;notepad;%1\r\n[*]\r\nЧасы;clock;%1\r\nЕщё;menu;ещё\r\n"), L"C:\\Документы\\a.txt",
         false,
         L"Ключ: [txt]\nРаздел: строка 3: [*]\n1. «Часы»: команда «clock», параметры «C:\\Документы\\a.txt»\n"
         L"2. «Ещё»: команда «menu», параметры «ещё»\n    Ключ: {ещё}\n    Раздел: строка 1: {ещё}\n"
         L"    1. «Блокнот»: команда «notepad», параметры «C:\\Документы\\a.txt»\n"},
        {"[]\r\nA;b;c\r\n", L"nodot", true,
         L"Окно «Extention error»:\n  Параметр программы: nodot не содержит точки, а значит и расширения.\n"},
    };
    for (const auto &one : cases) {
        check::Shown shown = check::Show(Load(one.file), one.argument);
        EXPECT_EQ(check::Reports(shown), one.reports) << one.file;
        EXPECT_EQ(check::FormatShown(shown), one.text);
        EXPECT_EQ(check::FormatShown(shown).find(L" \n"), std::wstring::npos);
    }
}

// A chain of submenus as long as the file's size allows is shown to its last row.
TEST_F(CheckTest, ShowFollowsTheLongestChain) {
    std::string file = "[txt]\r\n";
    int levels = 0;
    for (; file.size() < 16300; levels++) file += "S;menu;" + std::to_string(levels) + "\r\n{" + std::to_string(levels) + "}\r\n";
    check::Shown shown = check::Show(Load(file + "E;rec;e\r\n"), L"\\a.txt");
    ASSERT_EQ(shown.rows.size(), (size_t)levels + 1);
    EXPECT_FALSE(check::Reports(shown));
    EXPECT_EQ(std::wstring(shown.rows.back().buttons.at(0).entry.Title), L"E");
    EXPECT_EQ(check::FormatShown(shown).size() > 16 * 1024, true);
}
