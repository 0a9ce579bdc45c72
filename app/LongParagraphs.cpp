#include "LongParagraphs.h"

#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

qsizetype LongestUnbreakableRun(QStringView Text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, Text);
    qsizetype longest = 0, from = 0;
    for (qsizetype at = finder.toNextBoundary(); at >= 0; at = finder.toNextBoundary()) {
        longest = std::max(longest, at - from);
        from = at;
    }
    return std::max(longest, Text.size() - from);
}

namespace {

// Runs Visit on each long paragraph from First to Last until it returns true;
// true when one did.
template <typename F>
bool ForEachLong(const QTextBlock& First, const QTextBlock& Last, F Visit)
{
    for (QTextBlock b = First; b.isValid(); b = b.next()) {
        if (b.length() > LongParagraphLength && Visit(b))
            return true;
        if (b == Last)
            break;
    }
    return false;
}

} // namespace

void KeepShapedText(const QTextBlock& First, const QTextBlock& Last)
{
    ForEachLong(First, Last, [](const QTextBlock& B) {
        B.layout()->setCacheEnabled(true);
        return false;
    });
}

bool HasLongUnbreakableRun(const QTextBlock& First, const QTextBlock& Last, qsizetype From, qsizetype To)
{
    return ForEachLong(First, Last, [From, To](const QTextBlock& B) {
        const QString text = B.text();
        const qsizetype begin = std::clamp<qsizetype>(From - B.position() - LongParagraphLength, 0, text.size());
        const qsizetype end = std::clamp<qsizetype>(To - B.position() + LongParagraphLength, 0, text.size());
        return end - begin >= LongParagraphLength &&
               LongestUnbreakableRun(QStringView(text).sliced(begin, end - begin)) >= LongParagraphLength;
    });
}

QTextOption::WrapMode WrappingFor(const QTextDocument& Doc)
{
    KeepShapedText(Doc.begin(), Doc.lastBlock());
    return HasLongUnbreakableRun(Doc.begin(), Doc.lastBlock()) ? QTextOption::WrapAnywhere
                                                               : QTextOption::WrapAtWordBoundaryOrAnywhere;
}
