#pragma once
// A registry of the test's own: keys by their exact name, string values.
//
//   FakeRegistry reg;  SetRegistryLayer(&reg);
//   reg.Keys["\\Lemvora\\1.1"]["RootDir"] = "E:\\Elsewhere";
#include "Registry.h"

#include <QString>

#include <map>

class FakeRegistry : public IRegistry {
public:
    std::map<QString, std::map<QString, QString>> Keys;
    bool KeyExists(HKEY, const QString& Key) override { return Keys.count(Key) > 0; }
    bool ReadString(HKEY, const QString& Key, const QString& Name, QString& Value) override
    {
        const auto k = Keys.find(Key);
        if (k == Keys.end() || !k->second.count(Name))
            return false;
        Value = k->second.at(Name);
        return true;
    }
};
