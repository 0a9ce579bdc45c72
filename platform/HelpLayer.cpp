#include "HelpLayer.h"
#include "HelpWindow.h"

namespace {

IHelpSystem* g_override = nullptr;
QString g_helpFile;

} // namespace

IHelpSystem& HelpSystem()
{
    return g_override ? *g_override : HelpWindowSystem();
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
