#pragma once
// The help system: commands with the application's help file, as the old help
// engine took them. HELP_COMMAND carries a macro such as JumpID("","topic").
#include <QString>

constexpr unsigned HELP_CONTEXT = 0x0001;
constexpr unsigned HELP_QUIT = 0x0002;
constexpr unsigned HELP_FINDER = 0x000B;
constexpr unsigned HELP_COMMAND = 0x0102;

class IHelpSystem {
public:
    virtual ~IHelpSystem() = default;
    // Data is the macro of HELP_COMMAND; Context the context of HELP_CONTEXT.
    virtual void Help(const QString& HelpFile, unsigned Command, const QString& Data, int Context) = 0;
};

IHelpSystem& HelpSystem();
// Tests put a recording help system in place; nullptr restores the real one.
void SetHelpSystem(IHelpSystem* Help);

// The application's current help file.
QString ApplicationHelpFile();
void SetApplicationHelpFile(const QString& File);
// HelpSystem().Help(ApplicationHelpFile(), Command, Data, Context).
void ApplicationHelpCommand(unsigned Command, const QString& Data = {}, int Context = 0);
