// The standard dialogs the program opens speak Russian: every caption, label,
// button and column of the file, print and font dialogs and of the default
// error box, whatever the language of the machine.
#include "Application.h"
#include "FileDialogs.h"
#include "ModalDriver.h"
#include "Printer.h"
#include "REMain.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QString g_folder; // holds a document whose type a file dialog shows

// Texts of the dialog that hold a word in Latin letters (abbreviations such
// as "PDF" and file names aside).
std::string LatinTexts(QDialog* Dialog)
{
    static const QRegularExpression word(QStringLiteral("(^|[^\\w./*])([A-Za-z]*[a-z][A-Za-z]*)($|[^\\w./*])"));
    QStringList texts { Dialog->windowTitle() };
    for (const QLabel* l : Dialog->findChildren<QLabel*>())
        texts << l->text();
    for (const QAbstractButton* b : Dialog->findChildren<QAbstractButton*>())
        texts << b->text() << b->toolTip();
    for (const QGroupBox* g : Dialog->findChildren<QGroupBox*>())
        texts << g->title();
    for (const QHeaderView* h : Dialog->findChildren<QHeaderView*>())
        if (const QAbstractItemModel* m = h->model())
            for (int i = 0; i < m->columnCount(); ++i)
                texts << m->headerData(i, h->orientation()).toString();
    // The types shown in a file dialog's list: a folder's, a document's.
    if (const auto* fs = Dialog->findChild<QFileSystemModel*>())
        texts << fs->type(fs->index(g_folder)) << fs->type(fs->index(g_folder + "/Образец.rtf"));
    QStringList latin;
    for (const QString& t : texts)
        if (word.match(t).hasMatch())
            latin << t;
    return latin.join(QLatin1Char('|')).toStdString();
}

// Runs Show, collecting the Latin texts of the modal dialog it opens and closing it.
std::string LatinTextsOf(const std::function<void()>& Show)
{
    std::string found = "(no dialog)";
    const ModalDriver driver([&](QWidget* W) {
        if (auto* d = qobject_cast<QDialog*>(W)) {
            found = LatinTexts(d);
            d->reject();
        }
    });
    Show();
    return found;
}

} // namespace

TEST(StandardDialogs, SpeakRussian)
{
    UseRussianStandardDialogs();
    QTemporaryDir dir;
    g_folder = dir.path();
    QFile sample(g_folder + "/Образец.rtf");
    ASSERT_TRUE(sample.open(QIODevice::WriteOnly));
    sample.write("{\\rtf1 }");
    sample.close();
    for (TFileDialogKind kind : { TFileDialogKind::Open, TFileDialogKind::Save }) {
        TFileDialog d(kind);
        d.Filter = QStringLiteral("Rich Text Files (*.RTF)|*.RTF");
        d.InitialDir = dir.path();
        EXPECT_EQ(LatinTextsOf([&] { d.Execute(); }), "") << int(kind);
    }
    EXPECT_EQ(LatinTextsOf([] {
                  TPrintDialogOptions options;
                  options.PrintToFile = options.PageNumbers = options.Selection = options.Warning = true;
                  TPrintRange range = TPrintRange::AllPages;
                  Printer().ExecuteDialog(options, range);
              }),
              "");
    TMainForm form; // its font command opens the font dialog
    EXPECT_EQ(LatinTextsOf([&] { form.findChild<QAction*>(QStringLiteral("EditFontCmd"))->trigger(); }), "");
    // The error text is the caller's; the box around it is Russian.
    EXPECT_EQ(LatinTextsOf([] { ShowDefaultError(std::runtime_error("Ошибка")); }), "");
}
