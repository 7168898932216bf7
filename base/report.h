// The two error reporters, shared by every subsystem, and the fixed texts of every report:
// the launcher shows them, and the checker tells one report from another by them.
#ifndef VELANDRIMOUR_REPORT_H
#define VELANDRIMOUR_REPORT_H

#include <windows.h>
#include "base/compat.h"

// Room for the longest message any report can make: the missing-file report with a
// ConfigPath of 497 characters and the Pocket Word offer is 592 characters.
const size_t ReportCapacity = 600;

// What ReportConfigError adds to its text before it asks.
const WCHAR *const EditOffer = L"\r\n\r\nЗапустить Pocket Word для редактирования INI-файла.";

// The reporters' boxes: no owner, the error icon, and one OK button, or Yes and No where
// ReportConfigError asks.
const UINT FatalReportFlags = MB_OK | MB_ICONERROR;
const UINT ConfigErrorReportFlags = MB_YESNO | MB_ICONERROR;

// The text of a reporter's box: the three pieces joined, then the offer where it asks.
void JoinReport(WCHAR (&text)[ReportCapacity], const WCHAR *text1, const WCHAR *text2, const WCHAR *text3,
    bool offerEdit);

// Shows text1, text2 and text3 joined under the caption and ends the program with status 1.
NORETURN void ReportFatal(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2 = L"",
    const WCHAR *text3 = L"");

// As ReportFatal, offering first to open the configuration file in Pocket Word.
NORETURN void ReportConfigError(const WCHAR *caption, const WCHAR *text1, const WCHAR *text2 = L"",
    const WCHAR *text3 = L"");

// The texts are pointers to their literals rather than arrays: an array of its own would be
// aligned and padded in every file that uses it, and the program's size counts.

// Captions, spelled as the device's users know them.
const WCHAR *const ParameterCaption = L"Parameter";
const WCHAR *const IniFileCaption = L"INI-file";
const WCHAR *const PathCaption = L"Path";
const WCHAR *const FileErrorCaption = L"File error";
const WCHAR *const ExtentionErrorCaption = L"Extention error";
const WCHAR *const ExtentionCaption = L"Extention";
const WCHAR *const TextErrorCaption = L"Text error";
const WCHAR *const ButtonTitleCaption = L"Button title";
const WCHAR *const ButtonTitleErrorCaption = L"Button title error";
const WCHAR *const ExeclineCaption = L"Execline";
const WCHAR *const ParamlineCaption = L"Paramline";
const WCHAR *const SubMenuCaption = L"SubMenu";
const WCHAR *const AssociateCaption = L"Associate";
const WCHAR *const ExecutionsErrorCaption = L"Executions error";

// The fixed pieces; a "Start" piece goes before a variable one, an "End" piece after it.
const WCHAR *const LongArgumentText = L"Слишком длинный параметр программы.";
const WCHAR *const StrangeProgramNameText = L"Странное название у программы.";
const WCHAR *const LongExecutablePathText = L"Слишком длинный путь к exe-файлу.";
const WCHAR *const OpenOrCreateFailedStart = L"Фатальная ошибка открытия/создания файла \n\r";
const WCHAR *const FileLockedEnd = L". \n\rВероятно доступ заблокирован другой программой.";
const WCHAR *const MissingFileStart = L"Осутствует файл \n\r";
const WCHAR *const MissingFileEnd = L".\n\rФайл создан заново.";
const WCHAR *const ReadFailedText = L"Ошибка чтения из файла velandrimour.ini.\n\r";
const WCHAR *const ReadLockedText = L"Вероятно доступ заблокирован другой программой.";
const WCHAR *const FileSizeText = L"Размер файла velandrimour.ini ";
const WCHAR *const FileSizeLimitText = L"должен быть менее 16Кб.";
const WCHAR *const LongLineText = L"Слишком длинная строка в ИНИ-файле";
const WCHAR *const NoDotStart = L"Параметр программы: ";
const WCHAR *const NoDotEnd = L" не содержит точки, а значит и расширения.";
// Also the warning of both registrations, which go on after it.
const WCHAR *const LongExtensionText = L"Слишком длинное расширение.";
const WCHAR *const NoSectionStart = L"В файле velandrimour.ini нет раздела для расширения \"";
const WCHAR *const NoSectionEnd = L",\" а так же раздела для [*].";
// Opens every report about the lines of a section, before SectionKey.
const WCHAR *const SectionReportStart = L"В файле velandrimour.ini, в разделе для расширения \"";
const WCHAR *const NoSemicolonEnd = L"\" содержиться строка без ';'.";
const WCHAR *const NothingAfterSemicolonEnd = L"\" содержиться строка без второго параметра.";
const WCHAR *const NoSecondSemicolonEnd = L"\" содержиться строка без второго ';'.";
const WCHAR *const NoEntriesEnd = L"\" нет записей.";
const WCHAR *const LongTitleText = L"Слишком длинная надпись на кнопке.";
const WCHAR *const LongCommandText = L"Слишком длинная комантная строка.";
const WCHAR *const LongParametersText = L"Слишком длинная строка параметров.";
const WCHAR *const LongSubmenuNameText = L"Слишком длинное название подменю.";
const WCHAR *const ExtensionsTooLongText = L"Суммарная длина расширений превышает 1024 символа.";
const WCHAR *const StartFailedStart = L"Error exec programm: ";
const WCHAR *const StartFailedEnd = L".";
const WCHAR *const PocketWordFailedText = L"Не удается запустить Pocket Word ";
const WCHAR *const PocketWordFailedEnd = L"для редактирования файла velandrimour.ini.";

#endif // VELANDRIMOUR_REPORT_H
