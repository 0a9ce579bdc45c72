#include "Loader.h"
#include "Application.h"
#include "WinPaths.h"

#include <QDir>

#include <dlfcn.h>

#include <unordered_map>

namespace {

QString g_folder;
// Open loads per handle: dlopen counts references, so does the loader.
std::unordered_map<void*, int> g_open;

} // namespace

QString ModuleFileNameFor(const QString& LibraryName)
{
    // Only the file name counts: modules come from the library folder alone.
    QString base = LibraryName;
    base.replace(QLatin1Char('\\'), QLatin1Char('/'));
    base = base.section(QLatin1Char('/'), -1).toLower();
    if (base.endsWith(QLatin1String(".dll")))
        base.chop(4);
    return QLatin1String("lib") + base + QLatin1String(".so");
}

QString LibraryFolder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    const QString env = qEnvironmentVariable("LEMV_LIBRARY_DIR");
    return env.isEmpty() ? ProgramDir() : env;
}

void SetLibraryFolder(const QString& Folder)
{
    g_folder = Folder;
}

TLibHandle LoadLibraryModule(const QString& LibraryName)
{
    const QString wanted = ModuleFileNameFor(LibraryName);
    if (wanted == QLatin1String("lib.so"))
        return nullptr;
    // The exact spelling first, then any file of the folder that differs only in case.
    const QString path = FindFileIgnoringCase(QDir(LibraryFolder()).filePath(wanted));
    if (path.isEmpty())
        return nullptr;
    void* h = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (h)
        ++g_open[h];
    return h;
}

void* ModuleSymbol(TLibHandle Module, const char* Name)
{
    if (!Module || !Name)
        return nullptr;
    return dlsym(Module, Name);
}

void FreeLibraryModule(TLibHandle Module)
{
    const auto it = g_open.find(Module);
    if (it == g_open.end())
        return;
    if (--it->second == 0)
        g_open.erase(it);
    dlclose(Module);
}

int LoadedModuleCount()
{
    int n = 0;
    for (const auto& [h, count] : g_open)
        n += count;
    return n;
}
