#pragma once
// Late-bound automation objects created by ProgID. Commands are called by name
// with positional arguments; a null QVariant in a position is a missing argument.
// Properties are read and written by name; a property that is an object of its
// own (an application's WordBasic object) comes back as an AutomationRef.
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <memory>
#include <utility>

class IAutomationObject {
public:
    virtual ~IAutomationObject() = default;
    // Carries out a command and returns its result (a null QVariant where it has
    // none); throws EOleError when the command fails.
    virtual QVariant Call(const QString& Command, const QVariantList& Args = {}) = 0;
    // Throw EOleError for a property the object does not have.
    virtual QVariant GetProperty(const QString& Name);
    virtual void SetProperty(const QString& Name, const QVariant& Value);
};

using AutomationRef = std::shared_ptr<IAutomationObject>;
Q_DECLARE_METATYPE(AutomationRef)

// A module that is unloaded while the process goes on (the word library)
// takes its registration of AutomationRef's type back before it goes: Qt's
// type registry would otherwise keep pointing into the unloaded code. Another
// module's registration of the type stays.
void UnregisterAutomationType();

// The object a property value holds; throws EOleError when it holds none.
AutomationRef AutomationObjectOf(const QVariant& Value);
inline QVariant AutomationValue(AutomationRef Object) { return QVariant::fromValue(std::move(Object)); }

using AutomationFactory = std::function<std::unique_ptr<IAutomationObject>()>;

// An engine answers one ProgID. Registering again replaces it; an empty
// factory removes it.
void RegisterAutomationEngine(const QString& ProgID, AutomationFactory Factory);
bool HasAutomationEngine(const QString& ProgID);

// Throws EOleError when no engine answers ProgID or the engine fails to start.
std::unique_ptr<IAutomationObject> CreateAutomationObject(const QString& ProgID);

// The missing argument of an omitted position.
inline QVariant MissingArg() { return QVariant(); }
