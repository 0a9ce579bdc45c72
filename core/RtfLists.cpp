// The document's lists as RTF knows them: bullets and numbers, their styles,
// starts and the file's list and level a list was read from.
#include "Rtf.h"

#include <algorithm>

namespace {

// Properties of our own in a list's format.
enum : int {
    kListNumberProperty = QTextFormat::UserProperty + 0x100, // the file's \ls, 0: made in the editor
    kListLevelProperty,                                     // \ilvl, 0..8
#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0)
    kListStartProperty, // Qt keeps the start itself from 6.6 on
#endif
};

// The number formats \levelnfc 0..4 and the styles they show as.
constexpr QTextListFormat::Style kNfcStyles[] = {
    QTextListFormat::ListDecimal,    QTextListFormat::ListUpperRoman, QTextListFormat::ListLowerRoman,
    QTextListFormat::ListUpperAlpha, QTextListFormat::ListLowerAlpha,
};
constexpr int kBulletNfc = 23;

bool IsBulletStyle(QTextListFormat::Style Style)
{
    return Style == QTextListFormat::ListDisc || Style == QTextListFormat::ListCircle
        || Style == QTextListFormat::ListSquare;
}

QString Roman(int N, bool Upper)
{
    static const std::pair<int, const char*> kDigits[] = {
        { 1000, "m" }, { 900, "cm" }, { 500, "d" }, { 400, "cd" }, { 100, "c" }, { 90, "xc" }, { 50, "l" },
        { 40, "xl" },  { 10, "x" },   { 9, "ix" },  { 5, "v" },    { 4, "iv" },  { 1, "i" },
    };
    QString s;
    for (const auto& [value, digits] : kDigits)
        for (; N >= value; N -= value)
            s += QLatin1String(digits);
    return Upper ? s.toUpper() : s;
}

// Letters as the text engine counts them: a..z, then aa, ab ...
QString Letters(int N, bool Upper)
{
    QString s;
    for (; N > 0; N = (N - 1) / 26)
        s.prepend(QChar((Upper ? u'A' : u'a') + (N - 1) % 26));
    return s;
}

} // namespace

QTextListFormat RtfListFormat(bool Bullets)
{
    QTextListFormat f;
    f.setStyle(Bullets ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal);
    f.setIndent(1);
    return f;
}

bool RtfIsBulletList(const QTextListFormat& Format)
{
    return IsBulletStyle(Format.style());
}

int RtfListStart(const QTextListFormat& Format)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0)
    return Format.hasProperty(kListStartProperty) ? Format.intProperty(kListStartProperty) : 1;
#else
    return Format.start();
#endif
}

void RtfSetListStart(QTextListFormat& Format, int Start)
{
    Start = std::clamp(Start, 0, RtfMaxListStart);
#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0)
    Format.setProperty(kListStartProperty, Start);
#else
    Format.setStart(Start);
#endif
}

int RtfListNumber(const QTextListFormat& Format)
{
    return Format.intProperty(kListNumberProperty);
}

int RtfListLevel(const QTextListFormat& Format)
{
    return Format.intProperty(kListLevelProperty);
}

void RtfSetListPlace(QTextListFormat& Format, int Number, int Level)
{
    Format.setProperty(kListNumberProperty, Number);
    Format.setProperty(kListLevelProperty, Level);
}

QString RtfListItemText(const QTextListFormat& Format, int Index)
{
    if (RtfIsBulletList(Format))
        return QStringLiteral("\u2022");
    const int n = RtfListStart(Format) + Index;
    QString number;
    switch (Format.style()) {
    case QTextListFormat::ListLowerAlpha:
    case QTextListFormat::ListUpperAlpha:
        number = Letters(n, Format.style() == QTextListFormat::ListUpperAlpha);
        break;
    case QTextListFormat::ListLowerRoman:
    case QTextListFormat::ListUpperRoman:
        if (n < 5000)
            number = Roman(n, Format.style() == QTextListFormat::ListUpperRoman);
        break;
    default:
        break;
    }
    if (number.isEmpty())
        number = QString::number(n); // decimal, and what letters and numerals cannot show
    return number + u'.';
}

QTextListFormat::Style RtfListStyleOfNfc(int Nfc)
{
    if (Nfc == kBulletNfc)
        return QTextListFormat::ListDisc;
    if (Nfc >= 0 && Nfc < int(std::size(kNfcStyles)))
        return kNfcStyles[Nfc];
    return QTextListFormat::ListDecimal; // ordinals, leading zeros, other scripts' digits
}

int RtfNfcOfListStyle(QTextListFormat::Style Style)
{
    if (IsBulletStyle(Style))
        return kBulletNfc;
    const auto* it = std::find(std::begin(kNfcStyles), std::end(kNfcStyles), Style);
    return it == std::end(kNfcStyles) ? 0 : int(it - std::begin(kNfcStyles));
}
