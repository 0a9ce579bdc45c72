#pragma once
// A main window with every outside service replaced: file dialogs answered
// from a list, message boxes answered from a list, a recording printer and
// help system, the default error box recorded, the fake outside libraries.
#include "Application.h"
#include "Errors.h"
#include "FakeLibs.h"
#include "FileDialogs.h"
#include "HelpLayer.h"
#include "Printer.h"
#include "MainFormProbe.h"
#include "REMain.h"
#include "Waits.h"
#include "Win1251.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

inline const QString AppTitle = QStringLiteral("\"Lemvora\" предвыборной борьбы");

// Lines as the editor's lines are read for the golden section and the text
// profile: each in Windows-1251.
inline std::vector<std::string> AnsiLines(const QStringList& Lines)
{
    std::vector<std::string> lines;
    for (const QString& l : Lines)
        lines.push_back(QStringToAnsi(l));
    return lines;
}

// Answers each modal window that comes up with the next result of Answers
// (Cancel, 2, once they run out) and keeps the message texts it saw.
class TModalAnswers {
public:
    QList<int> Answers;
    QStringList Seen;
    // Looks at each window before it is answered.
    std::function<void(QDialog*)> Inspect;

    TModalAnswers()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            if (Inspect)
                Inspect(dialog);
            const auto* message = dialog->findChild<QLabel*>(QStringLiteral("Message"));
            Seen << (message ? message->text() : dialog->windowTitle());
            dialog->done(Answers.isEmpty() ? 2 : Answers.takeFirst());
        });
        timer_.start();
    }

private:
    QTimer timer_;
};

class TRecordingHelp : public IHelpSystem {
public:
    QStringList Calls;
    void Help(const QString& File, unsigned Command, const QString&, int) override
    {
        Calls << QStringLiteral("%1 %2").arg(Command).arg(File);
    }
};

class MainFormFixture : public ::testing::Test {
protected:
    // Each file dialog takes the next answer: a path, or an empty string for Cancel.
    QStringList DialogAnswers;
    QList<TFileDialogKind> DialogsRun;
    QStringList Errors;
    TModalAnswers Modal;
    TRecordingPrinter Print;
    TRecordingHelp Help;
    QTemporaryDir Dir;
    std::unique_ptr<TMainForm> Form;

    void SetUp() override
    {
        SetApplicationTitle(AppTitle);
        SetPrinter(&Print);
        SetHelpSystem(&Help);
        SetDefaultErrorHook([this](const QString& Text) { Errors << Text; });
        SetFileDialogHook([this](TFileDialog& D) {
            DialogsRun << D.Kind;
            const QString answer = DialogAnswers.isEmpty() ? QString() : DialogAnswers.takeFirst();
            if (answer.isEmpty())
                return false;
            D.FileName = answer;
            return true;
        });
        FakeLibs::Use();
        Form = std::make_unique<TMainForm>();
        Form->CommandLine.clear();
    }

    void TearDown() override
    {
        Form.reset();
        FakeLibs::UseReal();
        SetFileDialogHook({});
        SetDefaultErrorHook({});
        SetHelpSystem(nullptr);
        SetPrinter(nullptr);
    }

    QTextEdit* Editor() { return Form->Editor(); }
    TMainFormProbe Probe() { return TMainFormProbe(*Form); }
    // Shows the window and waits until its first frame is on the screen and
    // what that frame did not need (the font list, the paste enabling) has followed.
    void ShowOnScreen()
    {
        Form->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Probe().OnScreen(); }, EventWaitMs));
    }
    QString Path(const QString& Name) const { return Dir.filePath(Name); }

    static void Write(const QString& File, const QByteArray& Bytes)
    {
        QFile f(File);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Bytes);
    }
    static QByteArray Read(const QString& File)
    {
        QFile f(File);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The editor's selection from From to To, the caret at To.
    void Select(int From, int To)
    {
        QTextCursor c(Editor()->document());
        c.setPosition(From);
        c.setPosition(To, QTextCursor::KeepAnchor);
        Editor()->setTextCursor(c);
    }

    // A document the user has typed into: modified, with the given text.
    void Type(const QString& Text)
    {
        Editor()->setPlainText(Text);
        Editor()->document()->setModified(true);
    }

    // A named document on disk, opened and then changed.
    QString OpenedAndChanged(const QString& Name, const QString& Typed)
    {
        const QString file = Path(Name);
        Write(file, "saved text");
        Form->OpenDocument(file);
        Type(Typed);
        return file;
    }

    void Run(void (TMainForm::*Command)())
    {
        RunHandler([&] { (Form.get()->*Command)(); });
    }
};
