#pragma once
// A read-only view of the registry. It holds the keys this installation
// carries: the product key "\Lemvora\1.1" with "RootDir" = the program's
// folder as the system names it ("X:\", WinPaths.h), and the class key
// "\Software\Classes\Word.Basic.8" while a document engine answers
// "Word.Basic.8". An INI file named in the environment variable
// LEMV_REGISTRY overlays them, for tests and administrators:
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\Lemvora]
//   UninstallString=...
//   [-HKEY_LOCAL_MACHINE\Lemvora\1.1]      ; removes the key
//
// Key names compare without regard to case and to leading or doubled "\";
// values are UTF-8. The file is read afresh on every access.
#include <QString>

enum class HKEY { LOCAL_MACHINE };
constexpr HKEY HKEY_LOCAL_MACHINE = HKEY::LOCAL_MACHINE;

class IRegistry {
public:
    virtual ~IRegistry() = default;
    // Whether the key can be opened.
    virtual bool KeyExists(HKEY Root, const QString& Key) = 0;
    // Reads a string value; false when the key or the value is missing.
    virtual bool ReadString(HKEY Root, const QString& Key, const QString& Name, QString& Value) = 0;
};

IRegistry& RegistryLayer();
// Tests put their own registry in place; nullptr restores the real view.
void SetRegistryLayer(IRegistry* Registry);

// The environment variable that names the overlay file.
inline constexpr const char* RegistryOverlayVariable = "LEMV_REGISTRY";
