#include "Automation.h"
#include "Errors.h"

#include <map>

namespace {

std::map<QString, AutomationFactory>& Engines()
{
    static std::map<QString, AutomationFactory> engines;
    return engines;
}

QString Key(const QString& ProgID) { return ProgID.toLower(); }

} // namespace

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
        throw EOleError("Invalid class string");
    std::unique_ptr<IAutomationObject> obj = it->second();
    if (!obj)
        throw EOleError(("Server execution failed: " + ProgID).toStdString());
    return obj;
}
