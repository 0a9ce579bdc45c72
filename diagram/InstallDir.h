#pragma once
// The installation directory: the installer's uninstall entry, the product's
// registry key (asking the user when it is missing), then a scan of the drives.
// Names are Windows-form and Windows-1251.
#include "Registry.h"

#include <string>

// Whether Key exists; otherwise the user's answer to Question (Yes = true).
bool AskRegistryKey(HKEY RootKey, const std::string& Key, const std::string& Question);
// The installation directory with a trailing "\", or empty.
void GetInstallDir(const std::string& VersionKey, const std::string& ProductFolder, std::string& Dir,
                   const std::string& ExeName, const std::string& UninstallName);
// The folder in the installer's uninstall command line: from 6 characters
// after "DeIsL1.isu" to just before "_ISREG32.DLL"; empty when they are
// missing or out of order.
std::string UninstallDir(const std::string& UninstallName);
// The folder of ExeName along the product key's "RootDir" when the key is
// there or the user answers Question with Yes; empty otherwise.
std::string ProductKeyDir(const std::string& VersionKey, const std::string& ExeName, const std::string& Question);
// The lookup with the arguments every caller passes.
std::string InstallDir();
// The file search along a ";"-separated directory list.
std::string FileSearch(const std::string& Name, const std::string& DirList);
// The path up to and including its last "\" or ":".
std::string ExtractFilePath(const std::string& FileName);
