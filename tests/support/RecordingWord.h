#pragma once
// A recording stand-in for the word processor, for any suite. While it lives it
// answers "Word.Basic", "Word.Application" and "Word.Document" (each also with
// ".8") instead of the document engine and records what is sent:
//
//   TRecordingWord word;               // registered
//   ... run the command ...
//   word.Created     == {"Word.Basic.8"}        the ProgIDs created, in order
//   word.Commands()  == {"AppShow", "FileNew", ...}
//   word.Calls[i].Args                           positional arguments, missing ones invalid
//   word.Count("NextCell"), word.Visible, word.Live (objects not yet released)
//
// FailAt = "FileSaveAs" makes that command (recorded first) raise EOleError.
// Units = {"Мама мыла раму. ", ...} is the document a walk sees: `Selection`
// gives the current unit, `SentRight`/`WordRight` move on, `AtEndOfDocument`
// is -1 after the last one (at once without units).
#include "Automation.h"
#include "Errors.h"

#include <QStringList>

#include <memory>
#include <vector>

class TRecordingWord {
public:
    struct Call {
        QString Command;
        QVariantList Args;
    };

    std::vector<Call> Calls;
    QStringList Created;
    QString FailAt;
    bool Visible = false;
    int Live = 0;
    std::vector<QString> Units;
    size_t UnitPos = 0;

    TRecordingWord()
    {
        for (const QString& id : ProgIDs())
            RegisterAutomationEngine(id, [this, id] {
                Created << id;
                return std::unique_ptr<IAutomationObject>(new Object(this, id.startsWith("Word.Application")));
            });
    }
    ~TRecordingWord()
    {
        for (const QString& id : ProgIDs())
            RegisterAutomationEngine(id, {});
    }
    TRecordingWord(const TRecordingWord&) = delete;
    TRecordingWord& operator=(const TRecordingWord&) = delete;

    QStringList Commands() const
    {
        QStringList names;
        for (const Call& c : Calls)
            names << c.Command;
        return names;
    }
    int Count(const QString& Command) const { return static_cast<int>(Commands().count(Command)); }
    // The arguments of every call of Command, in order.
    std::vector<QVariantList> ArgsOf(const QString& Command) const
    {
        std::vector<QVariantList> all;
        for (const Call& c : Calls)
            if (c.Command == Command)
                all.push_back(c.Args);
        return all;
    }

    static QStringList ProgIDs()
    {
        return { "Word.Basic", "Word.Basic.8", "Word.Application", "Word.Application.8", "Word.Document",
                 "Word.Document.8" };
    }

private:
    // A WordBasic object, or the application object (Visible and WordBasic).
    class Object : public IAutomationObject {
    public:
        Object(TRecordingWord* Owner, bool Application) : owner_(Owner), application_(Application) { ++owner_->Live; }
        ~Object() override { --owner_->Live; }

        QVariant Call(const QString& Command, const QVariantList& Args) override
        {
            owner_->Calls.push_back({ Command, Args });
            if (Command == owner_->FailAt)
                throw EOleError(("Команда " + Command + " не выполнена").toStdString());
            if (Command == "AtEndOfDocument")
                return owner_->UnitPos < owner_->Units.size() ? 0 : -1;
            if (Command == "Selection" && owner_->UnitPos < owner_->Units.size())
                return owner_->Units[owner_->UnitPos];
            if (Command == "SentRight" || Command == "WordRight")
                ++owner_->UnitPos;
            return {};
        }
        QVariant GetProperty(const QString& Name) override
        {
            if (application_ && Name == "Visible")
                return owner_->Visible;
            if (application_ && Name == "WordBasic")
                return AutomationValue(std::make_shared<Object>(owner_, false));
            return IAutomationObject::GetProperty(Name);
        }
        void SetProperty(const QString& Name, const QVariant& Value) override
        {
            if (!application_ || Name != "Visible")
                IAutomationObject::SetProperty(Name, Value);
            owner_->Visible = Value.toBool();
        }

    private:
        TRecordingWord* owner_;
        bool application_;
    };
};
