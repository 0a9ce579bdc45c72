// The export of a page into a new document of the word processor, through its
// WordBasic object; and the command sequences the library's export shares.
#include "GrafExport.h"
#include "LemvGraf.h"

#include "Errors.h"
#include "InstallDir.h"
#include "NumFormat.h"
#include "Win1251.h"

#include <cmath>

namespace {

const QString kTimes = QStringLiteral("Times New Roman");

void Send(IAutomationObject& W, const char* Command, const QVariantList& Args = {})
{
    W.Call(QString::fromLatin1(Command), Args);
}

} // namespace

bool AskWordBasic8()
{
    return AskRegistryKey(HKEY_LOCAL_MACHINE, "\\Software\\Classes\\Word.Basic.8",
                          Ansi("Установлен ли WinWord for Office 97?"));
}

void WordFont(IAutomationObject& W, int Points)
{
    Send(W, "Font", { kTimes, Points });
}

void WordInsert(IAutomationObject& W, const std::string& Text)
{
    Send(W, "Insert", { AnsiToQString(Text) });
}

void WordBreaks(IAutomationObject& W, int Count)
{
    for (int i = 0; i < Count; ++i)
        WordInsert(W, "\r");
}

void WordHeading(IAutomationObject& W, const std::string& Heading, const std::string& Title)
{
    WordFont(W, 20);
    Send(W, "Bold");
    WordInsert(W, Heading);
    WordInsert(W, "\t");
    WordFont(W, 16);
    Send(W, "Bold");
    WordInsert(W, Title);
    WordBreaks(W, 3);
}

void WordPicture(IAutomationObject& W, const std::string& FileName)
{
    Send(W, "InsertPicture", { AnsiToQString(FileName) });
    WordBreaks(W, 3);
}

void WordTable(IAutomationObject& W, int Columns, const QVariant& Rows)
{
    const QVariant m = MissingArg();
    Send(W, "TableInsertTable", { m, Columns, Rows, m, m, m, m });
    Send(W, "StartOfColumn");
}

void WordSaveAndClose(IAutomationObject& W, const std::string& FileName)
{
    const QVariant m = MissingArg();
    Send(W, "FileSaveAs", { AnsiToQString(WordDocumentName(FileName)), 0, m, m, m, m, m, m, m, m });
    Send(W, "AppClose");
}

std::string WordDocumentName(const std::string& FileName)
{
    const size_t name = FileName.find_last_of("\\/:");
    const size_t dot = FileName.rfind('.');
    const bool hasExt = dot != std::string::npos && (name == std::string::npos || dot > name);
    return Cut255((hasExt ? FileName.substr(0, dot) : FileName) + ".DOC");
}

void TGrafForm::ExportToWord(TRecFileGraf* Page, const std::string& FileName)
{
    auto* page = dynamic_cast<TCurrentPage*>(Page);
    if (!page)
        return;
    // Released at the end, also when a command fails.
    const std::unique_ptr<IAutomationObject> word =
        CreateAutomationObject(AskWordBasic8() ? QStringLiteral("Word.Basic.8") : QStringLiteral("Word.Basic"));
    IAutomationObject& W = *word;
    Send(W, "AppShow");
    Send(W, "FileNew");
    const std::string full = Ansi("Фоносемантика текста (полный анализ) - ");
    if (page->Note.empty()) {
        WordHeading(W, Ansi("Фоносемантика текста - "), page->Title);
        WordPicture(W, FileName);
        WordHeading(W, full, page->Title);
    } else {
        WordHeading(W, full, page->Title);
        WordTable(W, 2);
        for (int i = 0; i < page->ScaleList.Count(); ++i) {
            page->CurScaleItem = page->ScaleList.Objects(i);
            if (!page->CurScaleItem)
                throw Exception("В списке шкал нет значения");
            Send(W, "CharColor", { page->CurScaleItem->Value >= 9.0 ? 6 : 1 });
            WordInsert(W, page->CurScaleItem->Name);
            Send(W, "NextCell");
            WordInsert(W, FormatFixed(page->CurScaleItem->Value, 5, 2));
            Send(W, "NextCell");
        }
        Send(W, "EndOfDocument");
        WordBreaks(W, 3);
    }

    WordTable(W, 3);
    for (int i = 0; i < page->SoundList.Count(); ++i) {
        page->CurSoundItem = page->SoundList.Objects(i);
        if (!page->CurSoundItem)
            throw Exception("В списке звукобукв нет значения");
        Send(W, "CharColor", { std::fabs(page->CurSoundItem->Z) >= 1.0 ? 9 : 1 });
        WordInsert(W, page->SoundList.Strings(i));
        if (i < page->SoundList.Count() - 1)
            Send(W, "NextCell");
    }
    Send(W, "EndOfDocument");

    WordInsert(W, "\t");
    WordBreaks(W, 2);
    WordInsert(W, page->SoundTotalLine);
    WordBreaks(W, 1);
    WordInsert(W, page->SyllablesLine);
    WordBreaks(W, 1);
    WordInsert(W, page->HighShareLine);
    WordBreaks(W, 3);
    WordInsert(W, page->CodingVerdict);
    WordInsert(W, "\t");
    WordInsert(W, page->RhythmVerdict);
    WordSaveAndClose(W, FileName);
}
