#include "Wording.h"

#include "KeptPixmaps.h"
#include "LemvGraf.h"
#include "PaintBox.h"
#include "MeanWrd.h"
#include "Tabedit.h"
#include "U2.h"
#include "U3.h"
#include "Win1251.h"

#include <QLocale>
#include <QMessageBox>

#include <cmath>

namespace {

// Position 0 (before the first character) counts as a delimiter.
bool IsDelimiterAt(const std::string& S, long i)
{
    if (i < 1 || i > static_cast<long>(S.size()))
        return true;
    const auto c = static_cast<unsigned char>(S[i - 1]);
    return c < 128 && WordDelimiters.Contains(c);
}

} // namespace

std::string MiddleWord(const std::string& S)
{
    const long L = static_cast<long>(S.size());
    const long m = static_cast<long>(std::trunc(L / 2.0));
    long i = m;
    while (i > 1 && !IsDelimiterAt(S, i))
        --i;
    if (IsDelimiterAt(S, i))
        ++i;
    long j = m;
    while (j < L && !IsDelimiterAt(S, j))
        ++j;
    if (IsDelimiterAt(S, j))
        --j;
    if (j < i)
        return {};
    return S.substr(static_cast<size_t>(i - 1), static_cast<size_t>(j - i + 1));
}

bool IsRusWord(const std::string& S)
{
    if (S.empty())
        return false;
    for (const char ch : S) {
        const auto c = static_cast<unsigned char>(ch);
        if (!RussianLetters.Contains(WordLetter(c)) && !(c < 128 && WordDelimiters.Contains(c)))
            return false;
    }
    return true;
}

std::string AnsiUpperCase(const std::string& S)
{
    const QLocale locale = QLocale::system();
    std::string r = S;
    for (char& ch : r) {
        const QString upper = locale.toUpper(QString(QChar(Win1251ToUnicode(static_cast<unsigned char>(ch)))));
        if (upper.size() != 1)
            continue;
        const unsigned char b = UnicodeToWin1251(upper.at(0).unicode());
        if (b != '?' || upper.at(0) == QLatin1Char('?'))
            ch = static_cast<char>(b);
    }
    return r;
}

std::string EntryWord(const std::string& Entry)
{
    return MiddleWord(AnsiUpperCase(Cut255(Entry)));
}

void StartWordAnalysis(const std::string& Entry)
{
    if (Entry.empty())
        return;
    const std::string word = EntryWord(Entry);
    if (!IsRusWord(word)) {
        // The desktop's standard box, not the system's own message dialog; its
        // information picture is the kept one.
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Информация"),
                        QStringLiteral("Слово не принадлежит русскому языку!"), QMessageBox::Ok, EditDB);
        const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
        box.setIconPixmap(StandardPicture(QStyle::SP_MessageBoxInformation, size));
        box.exec();
        return;
    }
    CurrentWordAnalysis->SetWord(word);
    if (CurrentWordAnalysis->VowelsInWord <= 1) {
        Form3->OkButtonClick();
        return;
    }
    Form2->show();
    Form3->PaintBox1->update();
    Form3->ArrangeWord();
    Form3->show();
    Form3->activateWindow();
    Form3->setFocus();
}
