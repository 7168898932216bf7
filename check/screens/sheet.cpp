// The sheet: the starts the checker follows, each one's rows in --show's order, every screen
// drawn once however many ways lead there, laid out left to right in rows no wider than a
// 1920-pixel screen, with our own lines under each.
#include "check/screens/sheet.h"
#include "check/launcher.h"

#include <algorithm>
#include <map>

namespace check {

namespace {

const int Margin = 16;
const int Gap = 16;
const int ScreenWidth = 240;
const int ScreenHeight = 294;
const int LabelLines = 3;
const size_t OtherWaysShown = 6;
const size_t StepsShown = 3;  // of a deeper chain: the first and the last ones
const COLORREF Background = RGB(0xD8, 0xD8, 0xD8);
const COLORREF LabelColour = RGB(0, 0, 0);

// One screen to draw: how the launcher gets there, and every way that leads there.
struct Planned {
    std::wstring argument;
    int depth = 0;
    std::wstring parentKey;
    std::vector<LaunchEntry> parentRow;
    int slot = -1;
    std::optional<Reported> report;
    std::wstring key;
    std::vector<std::wstring> ways;
};

// The start in words; the extension that stands for any no header names is told as such.
std::wstring StartName(const std::wstring &argument, const std::wstring &unnamed) {
    if (argument.empty()) return L"без файла";
    std::wstring extension = argument.substr(argument.rfind(L'.') + 1);
    if (extension == unnamed) return L"файл другого расширения (." + extension + L")";
    return extension.empty() ? L"файл с точкой в конце имени" : L"файл ." + extension;
}

// What a screen shows, and so whether two ways lead to one screen: a section's row (titles
// come from its lines alone), or a report, alone at start-up or over a window without buttons.
std::wstring Identity(const Row &row) {
    if (row.report)
        return L"r" + Decimal(row.depth > 0) + Decimal(row.report->configError) + row.report->caption + L"\n" +
               row.report->text;
    return L"h" + Decimal(row.headerLine) + L" " + Decimal(row.notice);
}

// The button path to each row of one start: its parent row and the button that opens it.
struct Step {
    int parent = -1;
    size_t button = 0;
};

std::wstring WayTo(const Shown &shown, const std::vector<Step> &steps, int row, const std::wstring &start,
                   const Button *last = nullptr, size_t lastIndex = 0) {
    std::vector<std::wstring> names;
    if (last) names.push_back(Decimal(lastIndex + 1) + L" «" + last->entry.Title + L"»");
    for (int at = row; steps[at].parent >= 0; at = steps[at].parent) {
        const Button &button = shown.rows[steps[at].parent].buttons[steps[at].button];
        names.push_back(Decimal(steps[at].button + 1) + L" «" + button.entry.Title + L"»");
    }
    if (names.empty()) return start;
    std::reverse(names.begin(), names.end());
    std::wstring way = start;
    for (size_t at = 0; at < names.size(); at++) {
        if (names.size() > StepsShown && at > 0 && at < names.size() - (StepsShown - 1)) {
            if (at == 1) way += L" → …";
            continue;
        }
        way += L" → " + names[at];
    }
    // The depth goes first, so that a label cut at its end still tells it.
    return names.size() > StepsShown ? L"уровень " + Decimal(names.size()) + L": " + way : way;
}

std::wstring Screens(size_t count) {
    size_t tens = count % 100 / 10, ones = count % 10;
    const wchar_t *word = tens == 1 || ones == 0 || ones >= 5 ? L"экранов" : ones == 1 ? L"экран" : L"экрана";
    return Decimal(count) + L" " + word;
}

class Planner {
public:
    explicit Planner(const ConfigImage &image) : image_(image), unnamed_(UnnamedExtension(image)) {}

    void Add(const std::wstring &argument) {
        Shown shown = Show(image_, argument);
        std::vector<Step> steps(shown.rows.size());
        for (size_t row = 0; row < shown.rows.size(); row++)
            for (size_t button = 0; button < shown.rows[row].buttons.size(); button++)
                if (shown.rows[row].buttons[button].row >= 0)
                    steps[shown.rows[row].buttons[button].row] = {(int)row, button};
        std::wstring start = StartName(argument, unnamed_);
        for (size_t index = 0; index < shown.rows.size(); index++) {
            const Row &row = shown.rows[index];
            Meet(Identity(row), WayTo(shown, steps, (int)index, start), [&] {
                Planned planned;
                planned.argument = argument;
                planned.depth = row.depth;
                if (steps[index].parent >= 0) {
                    const Row &parent = shown.rows[steps[index].parent];
                    planned.parentKey = parent.key;
                    for (const Button &button : parent.buttons) planned.parentRow.push_back(button.entry);
                    planned.slot = (int)steps[index].button;
                }
                planned.report = row.report;
                planned.key = row.key;
                return planned;
            });
            // A submenu shown earlier in this start is that screen again.
            for (size_t button = 0; button < row.buttons.size(); button++) {
                if (!row.buttons[button].repeated) continue;
                for (const Row &earlier : shown.rows)
                    if (earlier.key == row.buttons[button].submenuKey && earlier.depth > 0) {
                        Meet(Identity(earlier), WayTo(shown, steps, (int)index, start, &row.buttons[button], button),
                             nullptr);
                        break;
                    }
            }
        }
    }

    std::vector<Planned> planned;
    size_t more = 0;

private:
    // Notes one more way to the screen; a screen not met before is planned, up to the most drawn.
    void Meet(const std::wstring &identity, const std::wstring &way, const std::function<Planned()> &make) {
        auto known = screens_.find(identity);
        if (known != screens_.end()) {
            if (known->second < planned.size()) {
                std::vector<std::wstring> &ways = planned[known->second].ways;
                if (std::find(ways.begin(), ways.end(), way) == ways.end()) ways.push_back(way);
            }
            return;
        }
        if (!make) return;
        screens_[identity] = planned.size() + more;
        if (planned.size() < SheetScreensMax) {
            planned.push_back(make());
            planned.back().ways.push_back(way);
        } else {
            more++;
        }
    }

    const ConfigImage &image_;
    const std::wstring unnamed_;
    std::map<std::wstring, size_t> screens_;
};

// The header the row's key stops at, for the label.
std::wstring HeaderOf(const ConfigImage &image, const Planned &planned) {
    if (planned.key.empty()) return L"";
    SavedLauncherState saved;
    int header = SectionFoundBy(image, planned.key).header;
    if (header < 0) return planned.report ? L"" : L"раздела " + planned.key + L" нет";
    return L"строка " + Decimal(image.LineOf(image.lines[header].start)) + L": " + image.lines[header].text;
}

std::vector<std::wstring> Label(const ConfigImage &image, const Planned &planned, size_t number) {
    std::vector<std::wstring> lines{Decimal(number) + L". " + planned.ways[0], HeaderOf(image, planned)};
    if (planned.ways.size() > 1) {
        std::wstring others = L"также: ";
        for (size_t at = 1; at < planned.ways.size() && at <= OtherWaysShown; at++)
            others += (at > 1 ? L"; " : L"") + planned.ways[at];
        if (planned.ways.size() - 1 > OtherWaysShown)
            others += L" и ещё " + Decimal(planned.ways.size() - 1 - OtherWaysShown);
        lines.push_back(others);
    }
    return lines;
}

// The labels' font: the system's message font, which has Cyrillic on any Windows.
HFONT LabelFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

RECT Place(int x, int y, int width, int height) { return RECT{x, y, x + width, y + height}; }

}  // namespace

Sheet DrawSheet(const ConfigImage &image, const CheckOptions &options) {
    Planner planner(image);
    for (const std::wstring &argument : StartArguments(image, options.pathLength)) planner.Add(argument);

    struct Cell {
        ScreenPicture picture;
        int width, height;
    };
    std::vector<Cell> cells;
    Sheet sheet;
    sheet.more = planner.more;
    for (size_t index = 0; index < planner.planned.size(); index++) {
        const Planned &planned = planner.planned[index];
        Cell cell{planned.depth == 0 ? DrawStart(planned.argument)
                                     : DrawPress(planned.argument, planned.parentKey, planned.parentRow, planned.slot),
                  ScreenWidth, ScreenHeight};
        if (cell.picture.box) {
            cell.width = std::max(cell.width, cell.picture.box->width);
            cell.height = std::max(cell.height, cell.picture.box->height);
        }
        cells.push_back(std::move(cell));
        sheet.screens.push_back({Label(image, planned, index + 1)});
    }
    if (sheet.more) cells.push_back({{}, ScreenWidth, ScreenHeight});

    HFONT font = LabelFont();
    HDC measuring = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(measuring, font);
    TEXTMETRICW metrics;
    GetTextMetricsW(measuring, &metrics);
    SelectObject(measuring, previous);
    DeleteDC(measuring);
    int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    int labelHeight = LabelLines * lineHeight + Gap / 2;

    // Left to right, a new row where the next cell would pass the widest sheet.
    std::vector<POINT> corners;
    int x = Margin, y = Margin, rowHeight = 0, width = 0;
    for (const Cell &cell : cells) {
        if (x > Margin && x + cell.width + Margin > SheetWidthMax) {
            x = Margin;
            y += rowHeight + labelHeight + Gap;
            rowHeight = 0;
        }
        corners.push_back({x, y});
        rowHeight = std::max(rowHeight, cell.height);
        x += cell.width + Gap;
        width = std::max(width, x - Gap + Margin);
    }
    int height = y + rowHeight + labelHeight + Margin;

    Canvas canvas(width, height);
    HBRUSH fill = CreateSolidBrush(Background);
    RECT all = Place(0, 0, width, height);
    FillRect(canvas.dc(), &all, fill);
    DeleteObject(fill);
    previous = SelectObject(canvas.dc(), font);
    SetBkMode(canvas.dc(), TRANSPARENT);
    SetTextColor(canvas.dc(), LabelColour);
    for (size_t index = 0; index < cells.size(); index++) {
        const Cell &cell = cells[index];
        POINT corner = corners[index];
        if (index == sheet.screens.size()) {
            RECT note = Place(corner.x, corner.y, cell.width, cell.height);
            std::wstring text = L"и ещё " + Screens(sheet.more);
            DrawTextW(canvas.dc(), text.c_str(), (int)text.size(), &note, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            continue;
        }
        SheetScreen &screen = sheet.screens[index];
        if (cell.picture.window) {
            screen.window = Place(corner.x + (cell.width - ScreenWidth) / 2, corner.y, ScreenWidth, ScreenHeight);
            canvas.Put(*cell.picture.window, screen.window.left, screen.window.top);
        }
        if (const std::optional<Picture> &box = cell.picture.box) {
            screen.box = Place(corner.x + (cell.width - box->width) / 2, corner.y + (cell.height - box->height) / 2,
                               box->width, box->height);
            canvas.Put(*box, screen.box.left, screen.box.top);
        }
        for (size_t line = 0; line < screen.label.size(); line++) {
            RECT place = Place(corner.x, corner.y + cell.height + Gap / 2 + (int)line * lineHeight, cell.width,
                               lineHeight);
            DrawTextW(canvas.dc(), screen.label[line].c_str(), (int)screen.label[line].size(), &place,
                      DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    SelectObject(canvas.dc(), previous);
    DeleteObject(font);
    sheet.picture = canvas.Take();
    return sheet;
}

}  // namespace check
