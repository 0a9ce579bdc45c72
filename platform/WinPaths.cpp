#include "WinPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

TWinPathConfig& Config()
{
    static TWinPathConfig c;
    return c;
}

QString ProgramFolder()
{
    return Config().ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : Config().ProgramFolder;
}

QString ProgramFileName()
{
    if (!Config().ProgramFileName.isEmpty())
        return Config().ProgramFileName;
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

} // namespace

QString HostPath(const QString& WinName)
{
    QString p = WinName;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (p.size() >= 2 && p.at(1) == QLatin1Char(':') && p.at(0).isLetter()) {
        const QChar drive = p.at(0).toUpper();
        QString root;
        if (drive == QLatin1Char(ProgramDrive)) {
            root = ProgramFolder();
        } else if (drive == QLatin1Char(CurrentDirDrive)) {
            root = QDir::currentPath();
        } else {
            const auto it = Config().Drives.constFind(drive);
            if (it == Config().Drives.constEnd() || it->isEmpty())
                return {};
            root = *it;
        }
        QString rest = p.mid(2);
        while (rest.startsWith(QLatin1Char('/')))
            rest.remove(0, 1);
        if (!root.endsWith(QLatin1Char('/')))
            root += QLatin1Char('/');
        p = root + rest;
    }
    const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
    if (p.mid(slash + 1).compare(QLatin1String("Lemvora.exe"), Qt::CaseInsensitive) == 0)
        p = p.left(slash + 1) + ProgramFileName();
    return p;
}

bool WinFileExists(const QString& WinName)
{
    const QString host = HostPath(WinName);
    if (host.isEmpty())
        return false;
    const QFileInfo info(host);
    return info.exists() && info.isFile();
}

QString FindFileIgnoringCase(const QString& HostName)
{
    const QFileInfo info(HostName);
    if (info.exists() && !info.isDir())
        return HostName;
    const QDir dir = info.dir();
    const QStringList files = dir.entryList(QDir::Files | QDir::System | QDir::Hidden);
    for (const QString& f : files)
        if (f.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(f);
    return {};
}

QString WinProgramDir()
{
    return QString(QLatin1Char(ProgramDrive)) + QStringLiteral(":\\");
}

QString WinCurrentDir()
{
    return QString(QLatin1Char(CurrentDirDrive)) + QStringLiteral(":\\");
}

void SetWinPathConfig(const TWinPathConfig& C)
{
    Config() = C;
}

void ResetWinPaths()
{
    Config() = TWinPathConfig();
}
