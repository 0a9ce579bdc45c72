#include "Automation.h"
#include "Errors.h"

#include <map>
#include <utility>

namespace {

std::map<QString, AutomationFactory>& Engines()
{
    static std::map<QString, AutomationFactory> engines;
    return engines;
}

QString Key(const QString& ProgID) { return ProgID.toLower(); }

} // namespace

QVariant IAutomationObject::GetProperty(const QString& Name)
{
    throw EOleError(("Неизвестное свойство: " + Name).toStdString());
}

void IAutomationObject::SetProperty(const QString& Name, const QVariant&)
{
    throw EOleError(("Неизвестное свойство: " + Name).toStdString());
}

void UnregisterAutomationType()
{
    const QMetaType mine = QMetaType::fromType<AutomationRef>();
    // Asking for the id of an unregistered type would register it.
    const int id = mine.iface()->typeId.loadRelaxed();
    if (id != 0 && QMetaType(id).iface() == mine.iface())
        QMetaType::unregisterMetaType(mine);
}

AutomationRef AutomationObjectOf(const QVariant& Value)
{
    AutomationRef object = Value.canConvert<AutomationRef>() ? Value.value<AutomationRef>() : nullptr;
    if (!object)
        throw EOleError("Значение свойства не является объектом");
    return object;
}

void RegisterAutomationEngine(const QString& ProgID, AutomationFactory Factory)
{
    if (Factory)
        Engines()[Key(ProgID)] = std::move(Factory);
    else
        Engines().erase(Key(ProgID));
}

bool HasAutomationEngine(const QString& ProgID)
{
    return Engines().count(Key(ProgID)) != 0;
}

std::unique_ptr<IAutomationObject> CreateAutomationObject(const QString& ProgID)
{
    auto it = Engines().find(Key(ProgID));
    if (it == Engines().end())
        throw EOleError("Недопустимая строка с указанием класса");
    std::unique_ptr<IAutomationObject> obj = it->second();
    if (!obj)
        throw EOleError(("Сбой при выполнении сервера: " + ProgID).toStdString());
    return obj;
}
