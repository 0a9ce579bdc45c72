#include "InstallDir.h"

#include "MymsgDlg.h"
#include "Win1251.h"
#include "WinPaths.h"

std::string ExtractFilePath(const std::string& FileName)
{
    const size_t p = FileName.find_last_of("\\:");
    return p == std::string::npos ? std::string() : FileName.substr(0, p + 1);
}

std::string FileSearch(const std::string& Name, const std::string& DirList)
{
    if (WinFileExists(AnsiToQString(Name)))
        return Name;
    size_t from = 0;
    while (from <= DirList.size()) {
        size_t to = DirList.find(';', from);
        if (to == std::string::npos)
            to = DirList.size();
        std::string dir = DirList.substr(from, to - from);
        from = to + 1;
        if (dir.empty())
            continue;
        if (dir.back() != ':' && dir.back() != '\\')
            dir += '\\';
        if (WinFileExists(AnsiToQString(dir + Name)))
            return dir + Name;
    }
    return {};
}

bool AskRegistryKey(HKEY RootKey, const std::string& Key, const std::string& Question)
{
    if (RegistryLayer().KeyExists(RootKey, AnsiToQString(Key)))
        return true;
    return MyMessageDlg(AnsiToQString(Question), mdInformation, TMyDlgButtons { mdbYes, mdbNo }, 0) == 6;
}

std::string UninstallDir(const std::string& UninstallName)
{
    QString value;
    std::string s;
    if (RegistryLayer().ReadString(HKEY_LOCAL_MACHINE,
                                   AnsiToQString("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
                                                 UninstallName),
                                   QStringLiteral("UninstallString"), value))
        s = QStringToAnsi(value);
    const size_t f1 = s.find("_ISREG32.DLL");
    const size_t f0 = s.find("DeIsL1.isu");
    const long p1 = f1 == std::string::npos ? 0 : static_cast<long>(f1) + 1;
    const long p0 = f0 == std::string::npos ? 0 : static_cast<long>(f0) + 1;
    const long start = p0 + 10 + 6;
    const long count = p1 - start;
    if (count > 0 && start - 1 < static_cast<long>(s.size()))
        return s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(count));
    return {};
}

std::string ProductKeyDir(const std::string& VersionKey, const std::string& ExeName, const std::string& Question)
{
    if (!AskRegistryKey(HKEY_LOCAL_MACHINE, VersionKey, Question))
        return {};
    QString value;
    std::string root;
    if (RegistryLayer().ReadString(HKEY_LOCAL_MACHINE, AnsiToQString(VersionKey), QStringLiteral("RootDir"), value))
        root = QStringToAnsi(value);
    return ExtractFilePath(FileSearch(ExeName, root));
}

void GetInstallDir(const std::string& VersionKey, const std::string& ProductFolder, std::string& Dir,
                   const std::string& ExeName, const std::string& UninstallName)
{
    static const char* const InstallDrives[] = { "C:\\", "D:\\", "E:\\", "F:\\", "G:\\",
                                                 "H:\\", "I:\\", "J:\\", "K:\\", "L:\\" };
    Dir.clear();
    try {
        Dir = UninstallDir(UninstallName);
        if (!FileSearch(ExeName, Dir).empty()) {
            Dir = QStringToAnsi(WinCurrentDir()) + "\\";
            return;
        }
        Dir = ProductKeyDir(VersionKey, ExeName, Ansi("Установлен ли на Вашем ПК \"Lemvora v 1.1\" ?!"));
        if (Dir.empty()) {
            for (const char* drive : InstallDrives) {
                const std::string found = FileSearch(ExeName, std::string(drive) + "Program Files\\" + ProductFolder);
                if (!found.empty()) {
                    Dir = ExtractFilePath(found);
                    break;
                }
                Dir.clear();
            }
        }
    } catch (...) {
        Dir.clear();
    }
}

std::string InstallDir()
{
    std::string dir;
    GetInstallDir("\\Lemvora\\1.1", "Lemvora", dir, "Lemvora.exe", Ansi("Lemvora предвыборной борьбы"));
    return dir;
}
