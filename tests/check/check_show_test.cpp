// --show: the launcher's row for a start, every submenu under its button, and its reports.
#include "check_support.h"

TEST_F(CheckTest, ShowFollowsEverySubmenuOnceAndNamesOneReachedAgain) {
    check::ConfigImage image = Load("[TXT]\r\nA;notepad;-o %1 \r\nB;menu;m\r\n{m}\r\nC;menu;n\r\n{n}\r\nD;MENU;m\r\n");
    check::Row row = check::Show(image, L"\\a.txt");
    EXPECT_FALSE(check::Reports(row));
    EXPECT_EQ(row.key, L"[txt]");
    EXPECT_EQ(row.headerLine, 1);
    EXPECT_EQ(check::FormatRow(row),
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
         L"раздела для [*].\n  \n  Запустить Pocket Word для редактирования INI-файла.\n"},
        {"[doc]\r\nA;b;c\r\n", L"", false,
         L"Ключ: []\nОкно «Сообщение»:\n  Программа запущена без параметров, но в файле velandrimour.ini нет раздела "
         L"\"[]\".\nКнопок нет.\n"},
        {"[]\r\nA;menu;" + Repeat('n', 41) + "\r\n", L"", true,
         L"Ключ: []\nРаздел: строка 1: []\n1. «A»: команда «menu», параметры «" + std::wstring(41, L'n') +
             L"»\n    Окно «SubMenu»:\n      Слишком длинное название подменю.\n"},
        {"[]\r\nA;b;c\r\n", L"nodot", true,
         L"Окно «Extention error»:\n  Параметр программы: nodot не содержит точки, а значит и расширения.\n"},
    };
    for (const auto &one : cases) {
        check::Row row = check::Show(Load(one.file), one.argument);
        EXPECT_EQ(check::Reports(row), one.reports) << one.file;
        EXPECT_EQ(check::FormatRow(row), one.text);
    }
}
