// The golden section: the vowel of the editor text at the golden-section
// point of all its vowels, coloured red within its green line.
#include "GoldenSection.h"
#include "REMain.h"
#include "ui_REMain.h"

#include "Canvas.h"
#include "EditorText.h"
#include "Errors.h"
#include "MymsgDlg.h"
#include "PhonTables.h"
#include "SpeakerBeep.h"
#include "TextAttributes.h"
#include "WaitMessage.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

void Select(QTextEdit* Editor, int Start, int Length)
{
    QTextCursor c(Editor->document());
    c.setPosition(Start);
    c.setPosition(Start + Length, QTextCursor::KeepAnchor);
    Editor->setTextCursor(c);
}

} // namespace

int32_t GoldenSectionTarget(int32_t Count)
{
    const long double v = static_cast<long double>(Count) * GoldenSectionFactor + 0.5L;
    return static_cast<int32_t>(v); // below Count, so it fits
}

int32_t CountVowels(const std::vector<std::string>& Lines)
{
    const CharSet vowels = CyrillicVowels; // held in registers over the loop
    int64_t n = 0;
    for (const std::string& line : Lines)
        for (unsigned char c : line)
            n += vowels.Contains(c);
    if (n > INT32_MAX)
        throw EIntOverflow();
    return static_cast<int32_t>(n);
}

std::optional<TGoldenVowel> FindGoldenVowel(const std::vector<std::string>& Lines)
{
    const int32_t n = CountVowels(Lines);
    if (n <= 4)
        return std::nullopt;
    const int32_t target = GoldenSectionTarget(n);
    const CharSet vowels = CyrillicVowels;
    int32_t seen = 0;
    for (size_t i = 0; i < Lines.size(); ++i) {
        const std::string& line = Lines[i];
        for (size_t j = 0; j < line.size(); ++j)
            if (vowels.Contains(static_cast<unsigned char>(line[j])) && ++seen == target)
                return TGoldenVowel {i, static_cast<int32_t>(j + 1)};
    }
    return std::nullopt; // not reached: target lies within 1..n
}

void TMainForm::RunGoldenSection()
{
    WithWaitMessage([this](const std::function<void()>&) { MarkGoldenSection(); });
}

void TMainForm::MarkGoldenSection()
{
    // A failure ends the marking quietly; the colours set so far stay.
    try {
        QTextEdit* editor = ui->Editor;
        editor->selectAll();
        CurrentAttributes().SetColor(ToQColor(clBlack));
        Select(editor, 0, 0);

        // Read once: the colouring changes no text, so the search reads it too.
        const std::string text = EditorAnsiText(*editor->document());
        const std::vector<std::string> lines = EditorLines(text);
        const std::optional<TGoldenVowel> vowel = FindGoldenVowel(lines);
        if (!vowel)
            return;
        SpeakerBeep();
        // The search starts at the top, so the line is coloured where its text
        // first occurs, and the vowel at the same offset there.
        const int p = FindAndSelectText(lines[vowel->Line], text);
        if (p == -1) {
            MyShowMessage(QStringLiteral("Золотое сечение не найдено!!!"));
            return;
        }
        CurrentAttributes().SetColor(ToQColor(clGreen));
        Select(editor, p + vowel->Pos - 1, 1);
        CurrentAttributes().SetColor(ToQColor(clRed));
    } catch (...) {
    }
}

int TMainForm::FindAndSelectText(const std::string& S)
{
    // Both sides through the one conversion, so positions are the editor's.
    return FindAndSelectText(S, EditorAnsiText(*ui->Editor->document()));
}

int TMainForm::FindAndSelectText(const std::string& S, const std::string& Text)
{
    const QTextCursor current = ui->Editor->textCursor();
    const int start = current.hasSelection() ? current.selectionEnd() : 0;
    if (S.empty())
        return -1;
    const size_t p = Text.find(S, static_cast<size_t>(start));
    if (p == std::string::npos)
        return -1;
    ui->Editor->setFocus();
    Select(ui->Editor, static_cast<int>(p), static_cast<int>(S.size()));
    return static_cast<int>(p);
}
