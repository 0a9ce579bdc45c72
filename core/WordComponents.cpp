#include "WordComponents.h"

#include "Errors.h"

void TWordApplication::Connect()
{
    if (!app_)
        app_ = CreateAutomationObject(QStringLiteral("Word.Application"));
}

IAutomationObject& TWordApplication::App() const
{
    if (!app_)
        throw EOleError("Компонент не связан с сервером");
    return *app_;
}

bool TWordApplication::Visible() const
{
    return App().GetProperty(QStringLiteral("Visible")).toBool();
}

void TWordApplication::SetVisible(bool Value)
{
    App().SetProperty(QStringLiteral("Visible"), Value);
}

AutomationRef TWordApplication::WordBasic() const
{
    return AutomationObjectOf(App().GetProperty(QStringLiteral("WordBasic")));
}

void TWordDocument::Connect()
{
    if (!doc_)
        doc_ = CreateAutomationObject(QStringLiteral("Word.Document"));
}
