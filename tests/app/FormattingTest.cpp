// The main window's editing side: the ruler and its markers, the formatting
// controls and commands, the font dialog, hints and the edit commands.
#include "AppTestSupport.h"
#include "RichEdit.h"
#include "RulerMarker.h"
#include "RulerPanel.h"
#include "Waits.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QComboBox>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <array>
#include <climits>

namespace {

class Formatting : public MainFormFixture {
protected:
    Ui::TMainForm& F() { return Probe().Form(); }

    void Show(int Width)
    {
        Form->resize(Width, 400);
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get(), EventWaitMs));
    }

    struct Indents {
        int First, Left, Right;
        bool operator==(const Indents&) const = default;
    };
    Indents Held() { return {Probe().Paragraph().FirstIndent(), Probe().Paragraph().LeftIndent(), Probe().Paragraph().RightIndent()}; }
    std::array<int, 3> Markers() { return {F().FirstInd->x(), F().LeftInd->x(), F().RightInd->x()}; }
};

TEST_F(Formatting, RulerMarkersAndTheirReleasesAtClientWidth632)
{
    Show(632);
    ASSERT_EQ(F().Ruler->contentsRect().width(), 632);
    // A new window places the markers by its size, before the caret ever moves.
    EXPECT_EQ(Markers(), (std::array {2, 2, 618}));

    Editor()->setPlainText(QStringLiteral("абзац"));
    QTextBlockFormat indent;
    indent.setTextIndent(24); // a first line 18 points in: 360 twips, 24 pixels
    QTextCursor(Editor()->document()).mergeBlockFormat(indent);
    Probe().SelectionChange();
    EXPECT_EQ(Markers(), (std::array {26, 2, 618}));
    EXPECT_EQ(Held(), (Indents {18, -18, 0}));

    // Pressed in its middle (offset 5) and released where it stands:
    // (26 + 5 - 6) / (4/3) = 18.75, so 18 points again.
    Probe().MouseDown(F().FirstInd, 5);
    EXPECT_TRUE(Probe().RulerDragging());
    EXPECT_EQ(F().FirstInd->x(), 26);
    Probe().MouseUp(F().FirstInd, 5);
    EXPECT_FALSE(Probe().RulerDragging());
    EXPECT_EQ(Held(), (Indents {18, -18, 0}));

    // Dragged past the ruler's left end it stops there, at 0:
    // (0 + 5 - 6) / (4/3) = -0.75, truncated toward zero; the following lines
    // stay under their marker.
    Probe().MouseDown(F().FirstInd, 5);
    Probe().MouseMove(F().FirstInd, -41);
    EXPECT_EQ(F().FirstInd->x(), 0);
    Probe().MouseUp(F().FirstInd, 0);
    EXPECT_EQ(Held(), (Indents {0, 0, 0}));
    EXPECT_EQ(Markers(), (std::array {2, 2, 618}));

    // The right marker where width - left + offset - 2 is 16: 12 - 12 = 0 points.
    Probe().Paragraph().SetRightIndent(30);
    Probe().SelectionChange();
    EXPECT_EQ(F().RightInd->x(), 578);
    Probe().MouseDown(F().RightInd, 4);
    Probe().MouseMove(F().RightInd, 44);
    EXPECT_EQ(F().RightInd->x(), 618);
    Probe().MouseUp(F().RightInd, 4);
    EXPECT_EQ(Held().Right, 0);
    EXPECT_EQ(F().RightInd->x(), 618);

    // Positions outside the 32-bit range are the program's overflow error.
    Probe().MouseDown(F().LeftInd, 5);
    EXPECT_THROW(Probe().MouseMove(F().LeftInd, INT_MAX), EIntOverflow);
}

// Pressed, moved 40 pixels and released by the window system's mouse events.
TEST_F(Formatting, DraggingTheFirstLineMarkerWithTheMouseSetsTheIndent)
{
    Show(632);
    Editor()->setPlainText(QStringLiteral("первая строка абзаца"));
    Editor()->document()->setModified(false);
    QWindow* window = Form->windowHandle();
    const QPoint from = F().FirstInd->mapTo(Form.get(), QPoint(5, 4));
    QTest::mousePress(window, Qt::LeftButton, {}, from);
    for (int dx = 10; dx <= 40; dx += 10)
        QTest::mouseMove(window, from + QPoint(dx, 0));
    EXPECT_EQ(F().FirstInd->x(), 42);
    EXPECT_EQ(Held(), (Indents {0, 0, 0})) << "the indent changes at the release";
    QTest::mouseRelease(window, Qt::LeftButton, {}, from + QPoint(40, 0));

    // (42 + 5 - 6) / (4/3) = 30.75: the first line 30 points in, the others where they were.
    EXPECT_EQ(Held(), (Indents {30, -30, 0}));
    EXPECT_EQ(Markers(), (std::array {42, 2, 618}));
    EXPECT_TRUE(Editor()->document()->isModified());
    const QTextBlockFormat held = Editor()->document()->firstBlock().blockFormat();
    EXPECT_DOUBLE_EQ(held.leftMargin() + held.textIndent(), 40.0);
    EXPECT_DOUBLE_EQ(held.leftMargin(), 0.0);
}

// Each marker dragged with the mouse far past either end of the ruler: it
// stops at that end, whole on the ruler, and the indent it sets keeps the
// paragraph's lines inside the text's area and at least an inch wide; then it
// is taken again and dragged back onto the ruler.
struct PastEndCase {
    const char* Name;
    const char* Marker;
    int Direction; // -1 past the left end, +1 past the right end
};

void PrintTo(const PastEndCase& C, std::ostream* Os)
{
    *Os << C.Name;
}

class RulerEnds : public Formatting, public ::testing::WithParamInterface<PastEndCase> {
protected:
    // Presses Marker in its middle, moves the pointer in steps to ruler
    // position X and releases it there.
    void Drag(QWidget* Marker, int X)
    {
        QWindow* window = Form->windowHandle();
        const QPoint from = Marker->mapTo(Form.get(), QPoint(Marker->width() / 2, Marker->height() / 2));
        const QPoint to(F().Ruler->mapTo(Form.get(), QPoint(X, 0)).x(), from.y());
        QTest::mousePress(window, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 8; ++step)
            QTest::mouseMove(window, from + (to - from) * step / 8);
        atRelease = Marker->x();
        QTest::mouseRelease(window, Qt::LeftButton, {}, to);
    }
    int atRelease = 0;
};

TEST_P(RulerEnds, MarkerStaysOnTheRulerAndComesBack)
{
    const PastEndCase c = GetParam();
    Show(632);
    Editor()->setPlainText(QStringLiteral("один два три четыре пять шесть семь восемь девять десять "
                                          "одиннадцать двенадцать тринадцать четырнадцать пятнадцать"));
    auto* marker = F().Ruler->findChild<QWidget*>(QString::fromUtf8(c.Marker));
    ASSERT_TRUE(marker);
    const int rulerWidth = F().Ruler->contentsRect().width();
    const int lastLeft = rulerWidth - marker->width();

    Drag(marker, c.Direction < 0 ? -3000 : rulerWidth + 3000);
    EXPECT_EQ(atRelease, c.Direction < 0 ? 0 : lastLeft) << "the marker stops at the end it was dragged past";
    for (QWidget* m : {static_cast<QWidget*>(F().FirstInd), static_cast<QWidget*>(F().LeftInd),
                       static_cast<QWidget*>(F().RightInd)}) {
        EXPECT_GE(m->x(), 0) << m->objectName().toStdString();
        EXPECT_LE(m->x() + m->width(), rulerWidth) << m->objectName().toStdString();
    }

    // Every line lies inside the text's area and holds more than one letter.
    auto* editor = static_cast<TRichEdit*>(Editor());
    const int textWidth = editor->FormattingRect().width();
    const Indents held = Held();
    const int first = held.First, left = held.First + held.Left;
    EXPECT_GE(std::min(first, left), 0);
    EXPECT_GE(textWidth * 3 / 4 - std::max(first, left) - held.Right, 72) << "lines at least an inch wide";
    QTextBlock block = Editor()->document()->firstBlock();
    Editor()->document()->documentLayout()->blockBoundingRect(block);
    const QTextLayout* layout = block.layout();
    ASSERT_GT(layout->lineCount(), 1);
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        EXPECT_GE(line.x(), 0.0) << "line " << i;
        EXPECT_LE(line.x() + line.naturalTextWidth(), textWidth + 0.5) << "line " << i;
        EXPECT_GT(line.textLength(), 3) << "line " << i;
    }

    // Taken again and dragged to the ruler's middle, its middle stands under
    // the pointer, and the release reads the indent from there.
    Drag(marker, 300);
    EXPECT_EQ(atRelease + marker->width() / 2, 300);
    const Indents back = Held();
    const std::string name = c.Marker;
    if (name == "FirstInd")
        EXPECT_EQ(back.First, (300 - 6) * 3 / 4);
    else if (name == "LeftInd")
        EXPECT_EQ(back.First + back.Left, (300 - 6) * 3 / 4);
    else
        EXPECT_EQ(back.Right, (rulerWidth - (300 - 4) + 4 - 2) * 3 / 4 - 12);
}

INSTANTIATE_TEST_SUITE_P(Markers, RulerEnds,
                         ::testing::Values(PastEndCase {"FirstIndLeft", "FirstInd", -1},
                                           PastEndCase {"FirstIndRight", "FirstInd", +1},
                                           PastEndCase {"LeftIndLeft", "LeftInd", -1},
                                           PastEndCase {"LeftIndRight", "LeftInd", +1},
                                           PastEndCase {"RightIndLeft", "RightInd", -1},
                                           PastEndCase {"RightIndRight", "RightInd", +1}),
                         [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(Formatting, RulerAndFormattingRectangleSpanTheWindowAtAnyWidth)
{
    for (int width : {632, 1000, 700}) {
        SCOPED_TRACE(width);
        Show(width);
        EXPECT_EQ(F().RulerLine->width(), width - 8);
        EXPECT_EQ(F().RightInd->x(), width - 14);
        auto* editor = static_cast<TRichEdit*>(Editor());
        const QSize client = editor->ClientSize();
        EXPECT_EQ(editor->FormattingRect(), QRect(6, 0, client.width() - 12, client.height()));
    }
    // The text starts 6 pixels into the client area, at the ruler's zero.
    Editor()->setPlainText(QStringLiteral("текст"));
    EXPECT_EQ(Editor()->viewport()->mapTo(Editor(), Editor()->cursorRect(QTextCursor(Editor()->document())).topLeft()).x()
                  - Editor()->contentsRect().left(),
              6);
}

// The controls take the selection's attributes without writing them back:
// the caret stands in 14-point text while the defaults are other.
TEST_F(Formatting, ControlsFollowTheSelectionWithoutWritingToIt)
{
    Editor()->setPlainText(QStringLiteral("жирный текст"));
    QTextCursor all(Editor()->document());
    all.select(QTextCursor::Document);
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    f.setFontPointSize(14);
    f.setFontFamilies({QStringLiteral("Liberation Serif")});
    all.mergeCharFormat(f);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    Select(3, 3);
    Editor()->document()->setModified(false);

    Probe().SelectionChange();
    EXPECT_TRUE(F().BoldButton->isChecked());
    EXPECT_FALSE(F().ItalicButton->isChecked());
    EXPECT_TRUE(F().CenterAlign->isChecked());
    EXPECT_FALSE(F().LeftAlign->isChecked());
    EXPECT_EQ(Probe().FontSize()->text(), QStringLiteral("14"));
    EXPECT_EQ(Probe().FontName()->currentText(), QStringLiteral("Liberation Serif"));
    EXPECT_FALSE(Probe().UpdatingControls());
    const TTextAttributes defaults(Editor(), false);
    EXPECT_EQ(defaults.Size(), 8);
    EXPECT_EQ(defaults.Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_FALSE(Editor()->document()->isModified());
}

TEST_F(Formatting, StyleButtonsChangeTheCurrentAttributes)
{
    Editor()->setPlainText(QStringLiteral("слово"));
    Select(2, 2);
    Editor()->document()->setModified(false);
    // Nothing selected: the defaults turn bold, the text at the caret keeps its own format.
    F().BoldButton->trigger();
    EXPECT_TRUE(TTextAttributes(Editor(), false).Style() & fsBold);
    EXPECT_FALSE(Editor()->textCursor().charFormat().hasProperty(QTextFormat::FontWeight));
    EXPECT_FALSE(Editor()->document()->isModified());
    Probe().SelectionChange();
    EXPECT_TRUE(F().BoldButton->isChecked()) << "read back from the selection";

    // A selection: only its text changes, the other styles stay.
    Select(0, 3);
    F().ItalicButton->trigger();
    const unsigned style = TTextAttributes(Editor(), true).Style();
    EXPECT_EQ(style, unsigned(fsBold | fsItalic));
    EXPECT_FALSE(TTextAttributes(Editor(), false).Style() & fsItalic);
    Select(4, 5);
    EXPECT_FALSE(TTextAttributes(Editor(), true).Style() & fsItalic);
}

TEST_F(Formatting, FontSizeTextIsReadAsADecimalInteger)
{
    Editor()->setPlainText(QStringLiteral("размер"));
    Select(0, 6);
    struct {
        const char* Text;
        int Size; // afterwards
        bool Error;
    } cases[] = {
        {"12", 12, false},   {" 20", 20, false},   {"", 20, true},     {"1x", 20, true},
        {"20 ", 20, true},   {"0", 20, false},     {"-3", 20, false},  {"100000", 1638, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        Errors.clear();
        Probe().FontSize()->setText(QString::fromUtf8(c.Text));
        EXPECT_EQ(TTextAttributes(Editor(), true).Size(), c.Size);
        EXPECT_EQ(Errors, c.Error ? QStringList {QStringLiteral("'%1' is not a valid integer value").arg(QString::fromUtf8(c.Text))}
                                  : QStringList {});
    }
}

TEST_F(Formatting, FontNameAppliesTheChosenItemOnly)
{
    ShowOnScreen();
    Editor()->setPlainText(QStringLiteral("шрифт"));
    Select(0, 5);
    QComboBox* box = Probe().FontName();
    const int item = box->findText(QStringLiteral("Liberation Mono"));
    ASSERT_GE(item, 0);
    box->setCurrentIndex(item);
    EXPECT_EQ(TTextAttributes(Editor(), true).Name(), QStringLiteral("Liberation Mono"));
    // A typed face chooses no item, and nothing changes.
    box->setCurrentIndex(-1);
    box->setEditText(QStringLiteral("Liberation Sans"));
    EXPECT_EQ(TTextAttributes(Editor(), true).Name(), QStringLiteral("Liberation Mono"));
    // An item whose face name was cut short applies its typeface's whole family.
    const QString family = QStringLiteral("Noto Serif Nyiakeng Puachue Hmong");
    box->addItem(family.left(31), family);
    box->setCurrentIndex(box->count() - 1);
    EXPECT_EQ(TTextAttributes(Editor(), true).Name(), family);
    EXPECT_TRUE(Errors.isEmpty());
}

// Both paragraphs the selection touches change; the first one is read back.
TEST_F(Formatting, AlignmentAndBulletsApplyToTheTouchedParagraphs)
{
    Editor()->setPlainText(QStringLiteral("один\nдва\nтри"));
    Select(2, 6);
    struct {
        QAction* Button;
        int Alignment;
        Qt::Alignment Held;
    } cases[] = {{F().CenterAlign, 2, Qt::AlignHCenter}, {F().RightAlign, 1, Qt::AlignRight}, {F().LeftAlign, 0, Qt::AlignLeft}};
    for (const auto& c : cases) {
        c.Button->trigger();
        EXPECT_EQ(Probe().Paragraph().Alignment(), c.Alignment);
        for (int block : {0, 1})
            EXPECT_EQ(Editor()->document()->findBlockByNumber(block).blockFormat().alignment(), c.Held);
    }
    F().RightAlign->trigger();
    EXPECT_EQ(Editor()->document()->findBlockByNumber(2).blockFormat().alignment() & Qt::AlignRight, 0);

    F().BulletsButton->trigger();
    EXPECT_TRUE(Probe().Paragraph().Bullets());
    const QTextList* list = Editor()->document()->firstBlock().textList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(Editor()->document()->findBlockByNumber(2).textList(), nullptr);
    F().BulletsButton->trigger();
    EXPECT_FALSE(Probe().Paragraph().Bullets());
    EXPECT_EQ(Editor()->document()->firstBlock().textList(), nullptr);
    EXPECT_EQ(Held(), (Indents {0, 0, 0}));
}

TEST_F(Formatting, FontDialogOffersTheSelectionsFontAndGivesTheCurrentAttributesItsChoice)
{
    Editor()->setPlainText(QStringLiteral("выбор шрифта"));
    QTextCharFormat f;
    f.setFontFamilies({QStringLiteral("Liberation Serif")});
    f.setFontPointSize(14);
    f.setFontWeight(QFont::Bold);
    f.setForeground(QColor(255, 0, 0));
    QTextCursor all(Editor()->document());
    all.select(QTextCursor::Document);
    all.mergeCharFormat(f);
    Select(0, 5);

    QFont offered;
    Modal.Inspect = [&](QDialog* D) {
        auto* dialog = qobject_cast<QFontDialog*>(D);
        ASSERT_NE(dialog, nullptr);
        offered = dialog->currentFont();
        QFont chosen(QStringLiteral("Liberation Sans"));
        chosen.setPointSize(20);
        chosen.setItalic(true);
        dialog->setCurrentFont(chosen);
    };
    Modal.Answers << QDialog::Rejected << QDialog::Accepted;
    QTextDocument* doc = Editor()->document();
    const int steps = doc->availableUndoSteps();
    F().EditFontCmd->trigger();
    EXPECT_EQ(offered.family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(offered.pointSize(), 14);
    EXPECT_TRUE(offered.bold());
    EXPECT_EQ(doc->availableUndoSteps(), steps) << "a cancelled dialog changes nothing";
    EXPECT_EQ(TTextAttributes(Editor(), true).Name(), QStringLiteral("Liberation Serif"));

    F().EditFontCmd->trigger();
    const TTextAttributes s(Editor(), true);
    EXPECT_EQ(s.Name(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(s.Size(), 20);
    EXPECT_EQ(s.Style(), unsigned(fsItalic));
    EXPECT_EQ(s.Color(), QColor(255, 0, 0)) << "the dialog offers no colour";
    EXPECT_EQ(Probe().FontSize()->text(), QStringLiteral("20")) << "the controls follow";
    Select(6, 12);
    EXPECT_EQ(TTextAttributes(Editor(), true).Size(), 14) << "outside the selection";

    Editor()->undo(); // the choice is one change
    Select(0, 5);
    EXPECT_EQ(TTextAttributes(Editor(), true).Name(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(TTextAttributes(Editor(), true).Size(), 14);
    EXPECT_EQ(TTextAttributes(Editor(), true).Style(), unsigned(fsBold));

    // A face the system lacks: choosing only another size keeps it.
    Modal.Inspect = [](QDialog* D) {
        auto* dialog = static_cast<QFontDialog*>(D);
        QFont f = dialog->currentFont();
        f.setPointSize(16);
        dialog->setCurrentFont(f);
    };
    Modal.Answers << QDialog::Accepted;
    TTextAttributes(Editor(), true).SetName(QStringLiteral("Нет такого шрифта"));
    F().EditFontCmd->trigger();
    EXPECT_EQ(TTextAttributes(Editor(), true).Name(), QStringLiteral("Нет такого шрифта"));
    EXPECT_EQ(TTextAttributes(Editor(), true).Size(), 16);
}

// A hint, from an enabled or a disabled item, replaces the panels until it goes.
TEST_F(Formatting, HintsShowAloneInTheStatusBar)
{
    Show(640);
    EXPECT_EQ(Probe().Status(0), QStringLiteral("Ст:   1   Кол:   1"));
    QMenuBar* bar = F().MainMenu;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(F().FileMenu->menuAction()).center());
    QMenu* menu = F().FileMenu;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu, EventWaitMs));
    for (QAction* item : {F().FileNewItem, F().FileExitItem}) {
        SCOPED_TRACE(item->objectName().toStdString());
        const QPoint at = menu->actionGeometry(item).center();
        QMouseEvent move(QEvent::MouseMove, at, menu->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(menu, &move);
        (void)QTest::qWaitFor([&] { return F().StatusBar->currentMessage() == item->statusTip(); }, EventWaitMs);
        EXPECT_EQ(F().StatusBar->currentMessage(), item->statusTip());
        for (int i = 0; i < 3; ++i)
            EXPECT_FALSE(Probe().StatusPanel(i)->isVisible());
    }
    menu->close();
    F().StatusBar->clearMessage();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Probe().StatusPanel(i)->isVisible());
}

// The caret's line counts the lines every paragraph before it wraps into, as
// the editor shows them at that moment: after edits before the caret and
// after it, a paragraph split and joined, a new width, a new default font, a
// table whose cell widens its column, undo and a document opened in place.
TEST_F(Formatting, CaretLineCountsTheWrappedLinesAboveThroughEditsAndLayouts)
{
    Show(640);
    QStringList paragraphs;
    for (int i = 0; i < 60; ++i)
        paragraphs << QStringLiteral("слово ").repeated(i * 7 % 45 + 1).trimmed();
    Editor()->setPlainText(paragraphs.join(u'\n'));
    QTextDocument* doc = Editor()->document();

    // The status as a full layout of the document gives it, line by line.
    const auto shown = [&](int Position) {
        doc->documentLayout()->documentSize();
        const QTextBlock block = doc->findBlock(Position);
        int line = 0;
        for (QTextBlock b = doc->begin(); b != block; b = b.next())
            line += std::max(1, b.layout()->lineCount());
        const QTextLine in = block.layout()->lineForTextPosition(Position - block.position());
        return QString::asprintf("Ст: %3d   Кол: %3d", line + in.lineNumber() + 1,
                                 Position - block.position() - in.textStart() + 1);
    };
    const auto check = [&](const char* Step) {
        SCOPED_TRACE(Step);
        const int end = doc->characterCount() - 1;
        for (int at : {0, end / 3, end / 3 + 1, end / 2, end - 40, end}) {
            Select(at, at);
            const QString status = Probe().Status(0);
            EXPECT_EQ(status.toStdString(), shown(at).toStdString()) << "at " << at;
        }
    };
    const auto edit = [&](int Position) {
        QTextCursor c(doc);
        c.setPosition(Position);
        return c;
    };

    Select(doc->characterCount() - 1, doc->characterCount() - 1);
    EXPECT_GT(Probe().Status(0).mid(4, 3).trimmed().toInt(), 60 + 20) << "paragraphs wrap";
    check("laid out");
    edit(doc->characterCount() / 4).insertText(QStringLiteral(" вставка").repeated(30));
    check("text typed into a paragraph");
    edit(doc->characterCount() / 5).insertBlock();
    check("a paragraph split");
    QTextCursor join = edit(doc->findBlockByNumber(10).position());
    join.deletePreviousChar();
    check("two paragraphs joined");
    Form->resize(420, 400);
    QApplication::processEvents();
    check("a narrower window");
    QFont big = doc->defaultFont();
    big.setPointSize(big.pointSize() + 5);
    doc->setDefaultFont(big);
    check("a larger default font");
    QTextCursor bigger = edit(doc->findBlockByNumber(3).position());
    bigger.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QTextCharFormat huge;
    huge.setFontPointSize(30);
    bigger.mergeCharFormat(huge);
    check("a paragraph in larger letters");

    QTextCursor at = edit(doc->findBlockByNumber(5).position());
    QTextTable* table = at.insertTable(2, 2);
    for (int cell = 0; cell < 4; ++cell)
        table->cellAt(cell / 2, cell % 2).firstCursorPosition().insertText(QStringLiteral("ячейка таблицы ").repeated(3));
    check("a table");
    table->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("широкая_ячейка_без_пробелов_").repeated(4));
    check("a cell that widens its column");

    for (int i = 0; i < 4; ++i)
        doc->undo();
    check("undone");

    const QString file = Path(QStringLiteral("строки.rtf"));
    Write(file, "{\\rtf1\\ansi " + QByteArray("word ").repeated(300) + "\\par short\\par " + QByteArray("more words ").repeated(200) + "}");
    Form->OpenDocument(file);
    doc = Editor()->document();
    check("another document");
}

TEST_F(Formatting, EditCommandsAndTheirEnabling)
{
    ShowOnScreen();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    Editor()->setPlainText(QStringLiteral("вырезать"));
    Editor()->document()->clearUndoRedoStacks();
    Select(3, 3);
    EXPECT_FALSE(F().EditCutCmd->isEnabled());
    EXPECT_FALSE(F().EditCopyCmd->isEnabled());
    EXPECT_FALSE(F().EditUndoCmd->isEnabled());
    EXPECT_FALSE(F().EditPasteCmd->isEnabled());
    EXPECT_FALSE(F().CutButton->isEnabled()) << "the button follows its action";

    Select(0, 3);
    EXPECT_TRUE(F().EditCutCmd->isEnabled());
    EXPECT_TRUE(F().EditCopyCmd->isEnabled());
    F().EditCutCmd->trigger();
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("езать"));
    EXPECT_EQ(clipboard->text(), QStringLiteral("выр"));
    EXPECT_FALSE(F().EditCutCmd->isEnabled());
    EXPECT_TRUE(F().EditUndoCmd->isEnabled());
    EXPECT_TRUE(F().EditPasteCmd->isEnabled());

    F().EditPasteCmd->trigger();
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("вырезать"));
    F().EditUndoCmd->trigger();
    EXPECT_EQ(Editor()->toPlainText(), QStringLiteral("езать"));
    clipboard->clear();
    EXPECT_FALSE(F().EditPasteCmd->isEnabled());
}

} // namespace
