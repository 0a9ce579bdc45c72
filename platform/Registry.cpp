#include "Registry.h"
#include "Automation.h"
#include "WinPaths.h"

#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTextStream>

#include <iterator>

namespace {

// "\\SOFTWARE\\X\\" and "software\x" name the same key.
QString NormalKey(const QString& Key)
{
    const QStringList parts = Key.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    return parts.join(QLatin1Char('\\')).toLower();
}

using Values = QMap<QString, QString>; // value name (lower case) to value
using Keys = QMap<QString, Values>;    // normal key name to its values

Keys BuiltInKeys()
{
    Keys keys;
    keys[NormalKey(QStringLiteral("\\Lemvora\\1.1"))][QStringLiteral("rootdir")] = WinProgramDir();
    if (HasAutomationEngine(QStringLiteral("Word.Basic.8")))
        keys[NormalKey(QStringLiteral("\\Software\\Classes\\Word.Basic.8"))];
    return keys;
}

void ApplyOverlay(Keys& keys)
{
    const QString file = qEnvironmentVariable(RegistryOverlayVariable);
    if (file.isEmpty())
        return;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    const QString hklm = QStringLiteral("hkey_local_machine");
    Values* current = nullptr;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            QString name = line.mid(1, line.size() - 2).trimmed();
            const bool remove = name.startsWith(QLatin1Char('-'));
            if (remove)
                name.remove(0, 1);
            QString key = NormalKey(name);
            if (key == hklm)
                key.clear();
            else if (key.startsWith(hklm + QLatin1Char('\\')))
                key = key.mid(hklm.size() + 1);
            if (remove) {
                // The key and every key below it.
                for (auto it = keys.begin(); it != keys.end();)
                    it = (it.key() == key || it.key().startsWith(key + QLatin1Char('\\'))) ? keys.erase(it) : std::next(it);
                current = nullptr;
            } else {
                current = &keys[key];
            }
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (current && eq > 0)
            (*current)[line.left(eq).trimmed().toLower()] = line.mid(eq + 1);
    }
}

class RegistryView : public IRegistry {
public:
    bool KeyExists(HKEY, const QString& Key) override
    {
        return Current().contains(NormalKey(Key));
    }
    bool ReadString(HKEY, const QString& Key, const QString& Name, QString& Value) override
    {
        const Keys keys = Current();
        const auto k = keys.constFind(NormalKey(Key));
        if (k == keys.constEnd())
            return false;
        const auto v = k->constFind(Name.toLower());
        if (v == k->constEnd())
            return false;
        Value = *v;
        return true;
    }

private:
    static Keys Current()
    {
        Keys keys = BuiltInKeys();
        ApplyOverlay(keys);
        return keys;
    }
};

IRegistry* g_override = nullptr;

} // namespace

IRegistry& RegistryLayer()
{
    static RegistryView real;
    return g_override ? *g_override : real;
}

void SetRegistryLayer(IRegistry* Registry)
{
    g_override = Registry;
}
