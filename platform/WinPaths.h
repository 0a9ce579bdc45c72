#pragma once
// Windows paths at the file-system boundary. The system spells its files the
// Windows way ("Data\Lemvora.hlp", "C:\Program Files\Lemvora\Lemvora.exe");
// HostPath turns such a name into a path of this host: "\" becomes "/", a
// drive root "C:\".."L:\" leads to the folder mapped to that drive (by default
// none: names on a drive exist nowhere), and the program file "Lemvora.exe"
// stands for the running program's own file in the same folder.
#include <QMap>
#include <QString>

struct TWinPathConfig {
    // Drive letter (upper case) to a host folder; a drive not listed has no files.
    QMap<QChar, QString> Drives;
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
// The process's current directory as the system sees it (no trailing separator
// except for the root).
QString WinCurrentDir();

// Tests and administrators map drives and the program file; ResetWinPaths
// restores the defaults.
void SetWinPathConfig(const TWinPathConfig& Config);
void ResetWinPaths();
