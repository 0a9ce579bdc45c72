#include "FakeRecord.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

void Append(const std::string& Line)
{
    const char* path = std::getenv("LEMV_FAKE_LOG");
    if (!path || !*path)
        return;
    if (FILE* f = std::fopen(path, "ab")) {
        std::fwrite(Line.data(), 1, Line.size(), f);
        std::fputc('\n', f);
        std::fclose(f);
    }
}

// Arguments stay Windows-1251 bytes; line breaks and backslashes are escaped
// so that one call stays one line.
std::string Escaped(const char* s)
{
    std::string out;
    for (; *s; ++s) {
        if (*s == '\\')
            out += "\\\\";
        else if (*s == '\n')
            out += "\\n";
        else if (*s == '\r')
            out += "\\r";
        else
            out += *s;
    }
    return out;
}

bool ThrowsFrom(const char* Export)
{
    const char* list = std::getenv("LEMV_FAKE_THROW");
    if (!list)
        return false;
    const std::string names = std::string(",") + list + ",";
    return names.find(std::string(",") + Export + ",") != std::string::npos;
}

__attribute__((constructor)) void OnLoad()
{
    Append(std::string("+") + FAKE_MODULE);
}

__attribute__((destructor)) void OnUnload()
{
    Append(std::string("-") + FAKE_MODULE);
}

} // namespace

void FakeCall(const char* Export, const char* Arg, bool HasArg)
{
    std::string line = Export;
    if (HasArg) {
        line += ' ';
        line += Arg ? Escaped(Arg) : "(null)";
    }
    Append(line);
    if (ThrowsFrom(Export))
        throw std::runtime_error(std::string("fake failure in ") + Export);
}

int FakeSetting(const char* Name, int Default)
{
    const char* v = std::getenv(Name);
    return v && *v ? std::atoi(v) : Default;
}
