#pragma once
// Telling the user where a print went when it went into a file (a PDF where
// the machine has no printer): the file is named, and a file that could not
// be written is an error message, never a quiet success.
#include <QString>

#include <functional>

// Runs Print, the printing of a command. When its documents went into a file,
// Written gets the file's name as the user knows it. A file that could not be
// written is shown with MyShowMessage and ends the printing; any other failure
// of Print passes on.
void PrintAndTellFile(const std::function<void()>& Print, const std::function<void(const QString& File)>& Written);
