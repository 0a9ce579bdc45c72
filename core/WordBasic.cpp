#include "WordBasic.h"

#include "ClipboardLayer.h"
#include "DocEngine.h"
#include "Errors.h"
#include "Rtf.h"
#include "WinPaths.h"

#include <QHash>

#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace {

[[noreturn]] void Fail(const QString& Message)
{
    throw EOleError(Message.toStdString());
}

// The positional arguments of one command.
class TArgs {
public:
    TArgs(const QString& Command, const QVariantList& List) : command_(Command), list_(List) {}

    bool Has(int i) const { return i < list_.size() && list_[i].isValid(); }

    void Require(int i) const
    {
        if (!Has(i))
            Fail(QStringLiteral("Команде %1 не хватает аргумента %2.").arg(command_).arg(i + 1));
    }

    QString String(int i) const
    {
        Require(i);
        if (list_[i].typeId() != QMetaType::QString)
            Fail(QStringLiteral("Команда %1: аргумент %2 должен быть строкой.").arg(command_).arg(i + 1));
        return list_[i].toString();
    }

    double Number(int i) const
    {
        Require(i);
        bool ok = false;
        const double value = list_[i].toDouble(&ok);
        if (!ok || !std::isfinite(value))
            Fail(QStringLiteral("Команда %1: аргумент %2 должен быть числом.").arg(command_).arg(i + 1));
        return value;
    }

    // A whole number within [Low, High]; Default where the position is omitted
    // (without a default the argument is required).
    int Int(int i, int Low, int High, std::optional<int> Default = std::nullopt) const
    {
        if (!Has(i) && Default)
            return *Default;
        const double value = std::round(Number(i));
        if (value < Low || value > High)
            Fail(QStringLiteral("Команда %1: значение аргумента %2 вне допустимого диапазона.").arg(command_).arg(i + 1));
        return static_cast<int>(value);
    }

    int Count(int i) const { return Int(i, 1, 32767, 1); }

private:
    QString command_;
    const QVariantList& list_;
};

QColor WordBasicColor(int Number)
{
    static const std::array<QRgb, WordBasicColorCount> kColors = {
        0,        0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFF0000, 0xFFFF00, 0xFFFFFF,
        0x000080, 0x008080, 0x008000, 0x800080, 0x800000, 0x808000, 0x808080, 0xC0C0C0,
    };
    return QColor::fromRgb(kColors[static_cast<size_t>(Number)]);
}

QString HostFile(const TArgs& Args, int i)
{
    const QString name = Args.String(i);
    if (name.isEmpty())
        Fail(QStringLiteral("Не задано имя файла."));
    return HostPath(name);
}

using Command = QVariant (*)(TEngineApplication& App, const TArgs& Args);

QVariant Nothing()
{
    return {};
}

const QHash<QString, Command>& Commands()
{
    static const QHash<QString, Command> commands = {
        { "appshow", [](TEngineApplication& App, const TArgs&) { App.Visible = true; return Nothing(); } },
        { "appclose", [](TEngineApplication& App, const TArgs&) {
             App.CloseAll();
             App.Visible = false;
             return Nothing();
         } },
        { "filenew", [](TEngineApplication& App, const TArgs&) { App.NewDocument(); return Nothing(); } },
        { "menumode", [](TEngineApplication&, const TArgs&) { return Nothing(); } },
        { "font", [](TEngineApplication& App, const TArgs& Args) {
             const QString name = Args.String(0);
             std::optional<qreal> size;
             if (Args.Has(1)) {
                 size = Args.Number(1);
                 if (*size < 1 || *size > RtfMaxPoints)
                     Fail(QStringLiteral("Команда Font: размер шрифта вне допустимого диапазона."));
             }
             App.ActiveDocument().SetFont(name, size);
             return Nothing();
         } },
        { "bold", [](TEngineApplication& App, const TArgs& Args) {
             std::optional<bool> on;
             if (Args.Has(0))
                 on = Args.Number(0) != 0;
             App.ActiveDocument().SetBold(on);
             return Nothing();
         } },
        { "charcolor", [](TEngineApplication& App, const TArgs& Args) {
             const int n = Args.Int(0, 0, WordBasicColorCount - 1);
             App.ActiveDocument().SetColor(n == 0 ? std::nullopt : std::optional<QColor>(WordBasicColor(n)));
             return Nothing();
         } },
        { "insert", [](TEngineApplication& App, const TArgs& Args) {
             App.ActiveDocument().Insert(Args.String(0));
             return Nothing();
         } },
        { "insertpicture", [](TEngineApplication& App, const TArgs& Args) {
             App.ActiveDocument().InsertPicture(HostFile(Args, 0));
             return Nothing();
         } },
        { "tableinserttable", [](TEngineApplication& App, const TArgs& Args) {
             // Position 2 the columns, 3 the rows; 0 or omitted is the default of 2.
             int columns = Args.Int(1, 0, 63, 2);
             int rows = Args.Int(2, 0, 32767, 2);
             App.ActiveDocument().InsertTable(columns ? columns : 2, rows ? rows : 2);
             return Nothing();
         } },
        { "startofcolumn", [](TEngineApplication& App, const TArgs&) { App.ActiveDocument().StartOfColumn(); return Nothing(); } },
        { "nextcell", [](TEngineApplication& App, const TArgs&) { App.ActiveDocument().NextCell(); return Nothing(); } },
        { "tableselectrow", [](TEngineApplication& App, const TArgs&) { App.ActiveDocument().SelectRow(); return Nothing(); } },
        { "startofdocument", [](TEngineApplication& App, const TArgs&) { App.ActiveDocument().StartOfDocument(); return Nothing(); } },
        { "endofdocument", [](TEngineApplication& App, const TArgs&) { App.ActiveDocument().EndOfDocument(); return Nothing(); } },
        { "atendofdocument", [](TEngineApplication& App, const TArgs&) {
             return QVariant(App.ActiveDocument().AtEndOfDocument() ? -1 : 0);
         } },
        { "selectcursentence", [](TEngineApplication& App, const TArgs&) { App.ActiveDocument().SelectCurSentence(); return Nothing(); } },
        { "selectcurword", [](TEngineApplication& App, const TArgs&) { App.ActiveDocument().SelectCurWord(); return Nothing(); } },
        { "sentright", [](TEngineApplication& App, const TArgs& Args) {
             for (int n = Args.Count(0); n > 0; --n)
                 App.ActiveDocument().SentRight();
             return Nothing();
         } },
        { "wordright", [](TEngineApplication& App, const TArgs& Args) {
             for (int n = Args.Count(0); n > 0; --n)
                 App.ActiveDocument().WordRight();
             return Nothing();
         } },
        { "selection", [](TEngineApplication& App, const TArgs&) { return QVariant(App.ActiveDocument().Selection()); } },
        { "editcopy", [](TEngineApplication& App, const TArgs&) {
             TEngineDocument& doc = App.ActiveDocument();
             if (!doc.HasSelection())
                 Fail(QStringLiteral("Команда EditCopy недоступна: ничего не выделено."));
             QString text = doc.Selection();
             text.replace(QLatin1Char('\r'), QStringLiteral("\r\n"));
             ClipboardLayer().SetText(text);
             return Nothing();
         } },
        { "filesaveas", [](TEngineApplication& App, const TArgs& Args) {
             const QString given = Args.String(0);
             const QString host = HostFile(Args, 0);
             if (const int format = Args.Int(1, 0, 0x7FFF, 0))
                 Fail(QStringLiteral("Команда FileSaveAs: формат %1 не поддерживается.").arg(format));
             if (host.isEmpty())
                 Fail(QStringLiteral("Не удалось записать файл «%1»: папка не найдена.").arg(given));
             App.ActiveDocument().SaveAs(host);
             return Nothing();
         } },
    };
    return commands;
}

// The WordBasic command object.
class TWordBasicObject : public IAutomationObject {
public:
    explicit TWordBasicObject(std::shared_ptr<TEngineApplication> App) : app_(std::move(App)) {}

    QVariant Call(const QString& Name, const QVariantList& Args) override
    {
        const auto it = Commands().constFind(Name.toLower());
        if (it == Commands().constEnd())
            Fail(QStringLiteral("Неизвестная команда WordBasic: %1.").arg(Name));
        return (*it)(*app_, TArgs(Name, Args));
    }

private:
    std::shared_ptr<TEngineApplication> app_;
};

// The application object: Visible and its WordBasic object.
class TApplicationObject : public IAutomationObject {
public:
    explicit TApplicationObject(std::shared_ptr<TEngineApplication> App) : app_(std::move(App)) {}

    QVariant Call(const QString& Name, const QVariantList&) override
    {
        Fail(QStringLiteral("Неизвестный метод: %1.").arg(Name));
    }

    QVariant GetProperty(const QString& Name) override
    {
        if (Name.compare(QLatin1String("Visible"), Qt::CaseInsensitive) == 0)
            return app_->Visible;
        if (Name.compare(QLatin1String("WordBasic"), Qt::CaseInsensitive) == 0)
            return AutomationValue(std::make_shared<TWordBasicObject>(app_));
        return IAutomationObject::GetProperty(Name);
    }

    void SetProperty(const QString& Name, const QVariant& Value) override
    {
        if (Name.compare(QLatin1String("Visible"), Qt::CaseInsensitive) != 0)
            IAutomationObject::SetProperty(Name, Value);
        app_->Visible = Value.toBool();
    }

private:
    std::shared_ptr<TEngineApplication> app_;
};

// A document object: a new document that becomes the active one.
class TDocumentObject : public IAutomationObject {
public:
    explicit TDocumentObject(std::shared_ptr<TEngineApplication> App) : app_(std::move(App)) { app_->NewDocument(); }

    QVariant Call(const QString& Name, const QVariantList&) override
    {
        Fail(QStringLiteral("Неизвестный метод: %1.").arg(Name));
    }

private:
    std::shared_ptr<TEngineApplication> app_; // keeps the application running
};

template <typename T>
AutomationFactory Factory()
{
    return [] { return std::make_unique<T>(TEngineApplication::RunningOrNew()); };
}

const char* const kProgIDs[][2] = {
    { "Word.Basic", "Word.Basic.8" },
    { "Word.Application", "Word.Application.8" },
    { "Word.Document", "Word.Document.8" },
};

} // namespace

void RegisterDocumentEngine()
{
    const AutomationFactory factories[] = { Factory<TWordBasicObject>(), Factory<TApplicationObject>(),
                                            Factory<TDocumentObject>() };
    for (size_t i = 0; i < std::size(kProgIDs); ++i)
        for (const char* id : kProgIDs[i])
            RegisterAutomationEngine(QString::fromLatin1(id), factories[i]);
}

void UnregisterDocumentEngine()
{
    for (const auto& ids : kProgIDs)
        for (const char* id : ids)
            RegisterAutomationEngine(QString::fromLatin1(id), {});
}
