#include "Siblings.h"
#include "Loader.h"
#include "MymsgDlg.h"

void* TSibling::Symbol(const char* Name) const
{
    return ModuleSymbol(handle_, Name);
}

bool WithSibling(const QString& FileName, const std::function<void(TSibling&)>& Calls,
                 const std::function<void()>& OnFailure)
{
    TSibling lib;
    lib.handle_ = LoadLibraryModule(FileName);
    if (!lib.handle_) {
        MyShowMessage(QStringLiteral("Ошибка при загрузке библиотеки ") + FileName);
        return false;
    }
    bool failed = false;
    try {
        if (Calls)
            Calls(lib);
    } catch (...) {
        // The exception object dies here, before its library is unloaded.
        failed = true;
    }
    if (failed && OnFailure) {
        try {
            OnFailure();
        } catch (...) {
        }
    }
    FreeLibraryModule(lib.handle_);
    return true;
}
