#pragma once
// Recording fakes of the outside libraries and of Quenlit for any suite.
//
//   add_dependencies(<suite> lemv_fakelibs)  in the suite's CMakeLists.txt, link lemv_core.
//
//   FakeLibs::Use();                  // loader -> bin/fakelibs, log emptied, defaults
//   FakeLibs::Use({"Yestrel.Dll"});   // the same, with those libraries missing
//   ... run the command ...
//   FakeLibs::Calls()   == {"CreateMyMessage", "ShowMyMessage", "DestroyMyMessage"}
//   FakeLibs::Log()     the same with "+tavrin" / "-tavrin" at each load / unload
//   FakeLibs::UseReal();              // loader back to the program's folder
//   (the folder goes to LEMV_LIBRARY_DIR too: a program started from the test,
//   and Quenlit's copy of the loader, use the fakes as well)
//
// One line per call: the export's name, and for InputCorvane, OutputCorvane and
// FonoSemWrd a space and the argument (back to Unicode from Windows-1251;
// "\n", "\r" and "\\" escaped).
// Behaviour: SetThrow("ShowMyMessage") makes that export (or a comma list of
// exports) log and then throw std::runtime_error; SetColor(n) is ColorPrinter's
// answer (default 1); SetCorvaneUnit(u) what CreateCorvane returns (default
// "СЛОВО"); SetWordResult(n) FonoSemWrd's result (default 1).
#include "Application.h"
#include "Loader.h"
#include "Win1251.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace FakeLibs {

inline QString Folder()
{
    return ProgramDir() + QStringLiteral("/fakelibs");
}

// In a folder of this process alone, removed when the process ends.
inline QString LogFile()
{
    static const QTemporaryDir dir;
    return QDir(dir.path()).filePath(QStringLiteral("fakelog.txt"));
}

inline void ClearLog()
{
    QFile::remove(LogFile());
}

inline void SetThrow(const QString& Exports)
{
    if (Exports.isEmpty())
        qunsetenv("LEMV_FAKE_THROW");
    else
        qputenv("LEMV_FAKE_THROW", Exports.toLatin1());
}

inline void SetColor(int Answer)
{
    qputenv("LEMV_FAKE_COLOR", QByteArray::number(Answer));
}

inline void SetCorvaneUnit(const QString& Unit)
{
    qputenv("LEMV_FAKE_CORVANE", QByteArray::fromStdString(QStringToAnsi(Unit)));
}

inline void SetWordResult(int Result)
{
    qputenv("LEMV_FAKE_RESULT", QByteArray::number(Result));
}

inline void ResetBehaviour()
{
    qunsetenv("LEMV_FAKE_THROW");
    qunsetenv("LEMV_FAKE_COLOR");
    qunsetenv("LEMV_FAKE_CORVANE");
    qunsetenv("LEMV_FAKE_RESULT");
}

// Points the loader at the fakes; the libraries named in Missing (Windows
// names as commands spell them) are left out of a scratch folder of links.
// The folder also goes to LEMV_LIBRARY_DIR, so Quenlit's own loader and a
// program started from the test follow it.
inline void PointLoaderAt(const QString& Dir)
{
    SetLibraryFolder(Dir);
    qputenv("LEMV_LIBRARY_DIR", QFile::encodeName(Dir));
}

inline void Use(const QStringList& Missing = {})
{
    static std::unique_ptr<QTemporaryDir> scratch;
    qputenv("LEMV_FAKE_LOG", QFile::encodeName(LogFile()));
    ClearLog();
    ResetBehaviour();
    if (Missing.isEmpty()) {
        PointLoaderAt(Folder());
        return;
    }
    scratch = std::make_unique<QTemporaryDir>();
    QStringList leftOut;
    for (const QString& name : Missing)
        leftOut << ModuleFileNameFor(name);
    const QDir fakes(Folder());
    for (const QString& f : fakes.entryList({QStringLiteral("*.so")}, QDir::Files))
        if (!leftOut.contains(f))
            QFile::link(fakes.filePath(f), QDir(scratch->path()).filePath(f));
    PointLoaderAt(scratch->path());
}

inline void UseReal()
{
    SetLibraryFolder({});
    qunsetenv("LEMV_LIBRARY_DIR");
    ResetBehaviour();
    qunsetenv("LEMV_FAKE_LOG");
}

// Every line of the log, loads ("+name") and unloads ("-name") included.
inline QStringList Log()
{
    QFile f(LogFile());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return AnsiToQString(f.readAll().toStdString()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The export calls alone.
inline QStringList Calls()
{
    QStringList calls;
    for (const QString& line : Log())
        if (!line.startsWith(QLatin1Char('+')) && !line.startsWith(QLatin1Char('-')))
            calls << line;
    return calls;
}

} // namespace FakeLibs
