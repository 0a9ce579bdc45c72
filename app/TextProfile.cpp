// The text profile: the editor text cut into the pieces the profile library
// "CORVDLL.DLL" asks for, fed to it one by one, then its profile under the
// document's file name.
#include "TextProfile.h"
#include "REMain.h"
#include "ui_REMain.h"

#include "EditorText.h"
#include "MymsgDlg.h"
#include "Siblings.h"
#include "Win1251.h"

#include <QTextDocument>
#include <QTextEdit>

namespace {

// A piece shorter than this is not handed on.
constexpr size_t MinPieceLength = 2;

constexpr CharSet SentenceMarks = {10, 13, '!', '.', '?'};

} // namespace

constinit const CharSet ProfileWordSeparators = CharSet::Range(0, 32) | CharSet {
    '"', '!', '\'', '(', ')', '*', '+', ',', '.', '/', ':', ';', '=', '?', '[', '\\', ']', '_', '{', '}',
};

bool IsSentenceEnd(std::string_view Line, size_t Pos)
{
    return Pos == Line.size() || (Pos < Line.size() && Line[Pos] == ' ');
}

void ProfileWords(const std::vector<std::string>& Lines, const TPieceFeed& Feed)
{
    std::string token;
    for (const std::string& line : Lines)
        for (char c : line) {
            if (!ProfileWordSeparators.Contains(static_cast<unsigned char>(c))) {
                token += c;
                continue;
            }
            // A one-character word is dropped with the separator.
            if (token.size() >= MinPieceLength)
                Feed(token);
            token.clear();
        }
}

void ProfileSentences(const std::vector<std::string>& Lines, const TPieceFeed& Feed)
{
    std::string token;
    for (const std::string& line : Lines)
        for (size_t j = 1; j <= line.size(); ++j) {
            const char c = line[j - 1];
            if (!SentenceMarks.Contains(static_cast<unsigned char>(c)) || !IsSentenceEnd(line, j)) {
                token += c;
                continue;
            }
            // The mark is never part of the sentence; a shorter one collects on.
            if (token.size() >= MinPieceLength) {
                Feed(token);
                token.clear();
            }
        }
}

void TMainForm::RunTextProfile()
{
    WithSibling(QStringLiteral("CORVDLL.DLL"), [this](TSibling& Library) {
        const std::vector<std::string> lines = DocumentLines(*ui->Editor->document());
        if (lines.empty())
            return;
        auto* createCorvane = Library.Proc<const char*()>("CreateCorvane");
        auto* inputCorvane = Library.Proc<void(const char*)>("InputCorvane");
        auto* outputCorvane = Library.Proc<void(const char*)>("OutputCorvane");
        auto* destroyCorvane = Library.Proc<void()>("DestroyCorvane");

        // The library's string lives until DestroyCorvane; the unit is its copy.
        const char* answer = createCorvane();
        const std::string unit = answer ? answer : "";
        if (!unit.empty()) {
            const TPieceFeed input = [inputCorvane](const std::string& Piece) { inputCorvane(Piece.c_str()); };
            if (unit == Ansi("СЛОВО"))
                ProfileWords(lines, input);
            else if (unit == Ansi("ПРЕДЛОЖЕНИЕ"))
                ProfileSentences(lines, input);
            else if (unit == Ansi("АБЗАЦ"))
                MyShowMessage(QStringLiteral("АБЗАЦ"));
            outputCorvane(QStringToAnsi(DocumentFileName()).c_str());
        }
        destroyCorvane();
    });
}
