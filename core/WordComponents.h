#pragma once
// The word processor's application and document components that a window
// holds. Connect() attaches to the running application or starts a new one
// ("running or new"); where no engine answers, as on a machine without the
// word processor, it raises EOleError. Disconnecting only lets go: the
// application is never asked to quit.
#include "Automation.h"

class TWordApplication {
public:
    ~TWordApplication() { Disconnect(); }

    void Connect();
    void Disconnect() { app_.reset(); }
    bool Connected() const { return app_ != nullptr; }

    bool Visible() const;
    void SetVisible(bool Value);
    // The application's WordBasic object: commands by name, as in WordBasic.
    AutomationRef WordBasic() const;

private:
    IAutomationObject& App() const;
    AutomationRef app_;
};

// Connecting opens a new document in the application, the active one.
class TWordDocument {
public:
    ~TWordDocument() { Disconnect(); }

    void Connect();
    void Disconnect() { doc_.reset(); }
    bool Connected() const { return doc_ != nullptr; }

private:
    AutomationRef doc_;
};
