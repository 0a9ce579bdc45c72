#pragma once
// The pieces of a page's export to the word processor that the program's
// export (TGrafForm::ExportToWord) and the library's export of a word page
// share. Each sends WordBasic commands, in order, to W; texts are Windows-1251.
#include "Automation.h"

#include <QVariant>

#include <string>

// Whether "Word.Basic.8" is installed: its class key, or else the user's
// answer to "Установлен ли WinWord for Office 97?".
bool AskWordBasic8();

// Font ("Times New Roman", Points).
void WordFont(IAutomationObject& W, int Points);
// Insert (Text).
void WordInsert(IAutomationObject& W, const std::string& Text);
// Count paragraph breaks, one Insert each.
void WordBreaks(IAutomationObject& W, int Count);
// Font 20, Bold, Heading, a tab, Font 16, Bold, Title, three breaks.
void WordHeading(IAutomationObject& W, const std::string& Heading, const std::string& Title);
// InsertPicture (FileName), three breaks.
void WordPicture(IAutomationObject& W, const std::string& FileName);
// TableInsertTable with the columns in position 2 and Rows in position 3
// (omitted by default), the other positions of the seven omitted; StartOfColumn.
void WordTable(IAutomationObject& W, int Columns, const QVariant& Rows = MissingArg());
// FileSaveAs (WordDocumentName (FileName), 0) with positions 3 to 10
// omitted, then AppClose.
void WordSaveAndClose(IAutomationObject& W, const std::string& FileName);

// FileName's directory and file name with its extension replaced by ".DOC"
// (appended where it has none), cut to 255 characters.
std::string WordDocumentName(const std::string& FileName);
