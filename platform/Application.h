#pragma once
// What the application object provides to every window: the program's folder,
// the application title, and the default error box of the event loop.
#include <QString>

#include <exception>
#include <functional>

class QWidget;

// The standard dialogs (file, print, font, message boxes) speak Russian
// whatever the desktop's language: Qt's Russian translations are installed, and
// Qt's own dialogs are used rather than the desktop's, which would speak the
// desktop's language. Called once, right after the application is created.
void UseRussianStandardDialogs();

// Runs Work from the event loop once Window's first frame is on the screen:
// after the window system first exposed the shown window and the window
// painted it (at the next turn of the loop when it is exposed already). For
// what a window's first frame does not need, so that the window shows without
// waiting for it; nothing runs when the window is no longer shown by then.
void AfterFirstFrame(QWidget* Window, std::function<void()> Work);

// The folder of the running program: its libraries, and Data/ with the help file.
QString ProgramDir();

// The application title: the caption of notices without a type of their own.
QString ApplicationTitle();
void SetApplicationTitle(const QString& Title);

// The default error box: the exception's text in a standard message box.
void ShowDefaultError(const std::exception& E);
// Runs an event handler the way the event loop does: the silent abort is
// swallowed, every other exception reaches the default error box.
void RunHandler(const std::function<void()>& Handler);
// The hourglass while it lives, the cursor as before when it goes.
class TBusyCursor {
public:
    TBusyCursor();
    ~TBusyCursor();
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

// Tests receive the default error box's texts instead of a box; an empty hook
// restores the box.
void SetDefaultErrorHook(std::function<void(const QString&)> Hook);
