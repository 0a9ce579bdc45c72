#pragma once
// Windows paths at the file-system boundary. The system spells its files the
// Windows way ("Data\Lemvora.hlp", "C:\Program Files\Lemvora\Lemvora.exe")
// and keeps them as Windows-1251 text, which cannot carry every host name. So
// no host path reaches it: the program's folder is a drive of its own, X:, and
// the process's current directory is drive W:. HostPath turns a Windows name
// into a path of this host: "\" becomes "/", "X:\" leads to the program's
// folder, "W:\" to the current directory (as it is when the name is mapped),
// another drive root "C:\".."L:\" to the folder mapped to that drive (by
// default none: names on it exist nowhere), and the program file "Lemvora.exe"
// stands for the running program's own file in the same folder.
#include <QMap>
#include <QString>

inline constexpr char ProgramDrive = 'X';
inline constexpr char CurrentDirDrive = 'W';

struct TWinPathConfig {
    // Drive letter (upper case) to a host folder; a drive not listed has no files.
    QMap<QChar, QString> Drives;
    // Host folder of drive X:; empty: the running program's folder.
    QString ProgramFolder;
    // Host file name that "Lemvora.exe" stands for; empty: the running program's file name.
    QString ProgramFileName;
};

// The host path of a Windows file name; empty for a name on an unmapped drive.
QString HostPath(const QString& WinName);
// Whether the file exists (and is a file).
bool WinFileExists(const QString& WinName);
// The host file HostName in its exact spelling, else a file of the same
// folder whose name differs only in case, as Windows names match; empty when
// there is none.
QString FindFileIgnoringCase(const QString& HostName);
// The program's folder as the system sees it: "X:\".
QString WinProgramDir();
// The process's current directory as the system sees it: "W:\" (a root, so
// with its separator).
QString WinCurrentDir();

// Tests and administrators map drives and the program file; ResetWinPaths
// restores the defaults.
void SetWinPathConfig(const TWinPathConfig& Config);
void ResetWinPaths();
