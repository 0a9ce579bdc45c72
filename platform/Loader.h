#pragma once
// Loading the outside libraries by the Windows file name a command spells
// ("Tavrin.Dll", "QUENLIT.DLL"). The name maps to a module of the program's
// folder with the host's naming: lower case, without ".dll", "lib" before and
// ".so" after ("QUENLIT.DLL" -> libquenlit.so); the folder's files are matched
// case-insensitively. A null handle is a failed load.
#include <QString>

using TLibHandle = void*;

// "Tavrin.Dll" -> "libtavrin.so".
QString ModuleFileNameFor(const QString& LibraryName);

// Loads the module (RTLD_NOW | RTLD_LOCAL); nullptr when there is none or it
// cannot be loaded.
TLibHandle LoadLibraryModule(const QString& LibraryName);
// The export of that name, nullptr where the module has none.
void* ModuleSymbol(TLibHandle Module, const char* Name);
// Unloads a module this loader loaded; other handles are ignored.
void FreeLibraryModule(TLibHandle Module);

// The folder searched for modules: the one SetLibraryFolder gave, else the
// environment's LEMV_LIBRARY_DIR (so that tests reach every copy of the loader,
// Quenlit's and a started program's too), else ProgramDir(). An empty Folder
// drops the set folder.
QString LibraryFolder();
void SetLibraryFolder(const QString& Folder);

// How many loads are open (loaded and not yet freed).
int LoadedModuleCount();
