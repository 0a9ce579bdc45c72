#pragma once
// The outside libraries, each loaded by file name for one use of a command:
// load; on failure the message "Ошибка при загрузке библиотеки <name>" and the
// command ends; resolve the exports; call; unload. An exception after loading
// unloads the library and is swallowed without a message.
#include "Errors.h"

#include <QString>

#include <functional>

// A library without an export the command asks for.
class ESiblingExport : public Exception {
public:
    using Exception::Exception;
};

class TSibling {
public:
    // The export of that name. A library without it raises ESiblingExport,
    // which WithSibling swallows like any other failure of the calls: the
    // command ends quietly instead of calling through a null address.
    template <typename Fn>
    Fn* Proc(const char* Name) const
    {
        void* p = Symbol(Name);
        if (!p)
            throw ESiblingExport(std::string("missing export ") + Name);
        return reinterpret_cast<Fn*>(p);
    }

    // The export of that name, nullptr where the library has none.
    void* Symbol(const char* Name) const;

private:
    friend bool WithSibling(const QString&, const std::function<void(TSibling&)>&, const std::function<void()>&);
    void* handle_ = nullptr;
};

// Loads FileName (spelled as the command spells it). When loading fails it shows
// the message and returns false. Otherwise it runs Calls and unloads the library;
// when Calls throws, OnFailure runs first (its own failures are ignored), then the
// library is unloaded and the exception swallowed. Returns true once loaded.
bool WithSibling(const QString& FileName, const std::function<void(TSibling&)>& Calls,
                 const std::function<void()>& OnFailure = {});
