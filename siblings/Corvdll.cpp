// The text profile stand-in: asks for words, collects what it is fed and
// reports how many pieces came for which document.
#include "SiblingExport.h"
#include "Win1251.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <string>
#include <vector>

namespace {

// "СЛОВО" in Windows-1251, owned by the library until DestroyCorvane.
const char kUnit[] = "\xD1\xCB\xCE\xC2\xCE";
std::vector<std::string>* g_tokens = nullptr;

} // namespace

SIBLING_EXPORT const char* CreateCorvane()
{
    delete g_tokens;
    g_tokens = new std::vector<std::string>;
    return kUnit;
}

SIBLING_EXPORT void InputCorvane(const char* Token)
{
    if (!g_tokens)
        g_tokens = new std::vector<std::string>;
    g_tokens->emplace_back(Token ? Token : "");
}

SIBLING_EXPORT void OutputCorvane(const char* FileName)
{
    const int count = g_tokens ? static_cast<int>(g_tokens->size()) : 0;
    const QString name = AnsiToQString(FileName ? FileName : "");
    QMessageBox box(QMessageBox::Information, QStringLiteral("Профиль текста"),
                    QStringLiteral("Документ: %1\nПолучено фрагментов: %2").arg(name).arg(count),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.addButton(QStringLiteral("&Далее"), QMessageBox::AcceptRole);
    box.exec();
}

SIBLING_EXPORT void DestroyCorvane()
{
    delete g_tokens;
    g_tokens = nullptr;
}

__attribute__((destructor)) static void OnUnload()
{
    DestroyCorvane();
}
