#include "HelpLayer.h"

namespace {

// Until the help window stands, help commands do nothing.
class NoHelp : public IHelpSystem {
public:
    void Help(const QString&, unsigned, const QString&, int) override {}
};

IHelpSystem* g_override = nullptr;
QString g_helpFile;

} // namespace

IHelpSystem& HelpSystem()
{
    static NoHelp real;
    return g_override ? *g_override : real;
}

void SetHelpSystem(IHelpSystem* Help)
{
    g_override = Help;
}

QString ApplicationHelpFile()
{
    return g_helpFile;
}

void SetApplicationHelpFile(const QString& File)
{
    g_helpFile = File;
}

void ApplicationHelpCommand(unsigned Command, const QString& Data, int Context)
{
    HelpSystem().Help(g_helpFile, Command, Data, Context);
}
