#include "FakeLibs.h"
#include "ModalDriver.h"

#include "Loader.h"
#include "Siblings.h"
#include "Win1251.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <stdexcept>
#include <utility>

namespace {

using VoidFn = void();

class SiblingsTest : public ::testing::Test {
protected:
    void SetUp() override { FakeLibs::Use(); }
    void TearDown() override
    {
        FakeLibs::UseReal();
        EXPECT_EQ(LoadedModuleCount(), 0);
    }

    // Runs WithSibling and collects the texts of the message boxes it shows.
    bool Run(const QString& Name, const std::function<void(TSibling&)>& Calls,
             const std::function<void()>& OnFailure = {})
    {
        ModalDriver drive([this](QWidget* w) {
            Messages << MessageText(w);
            w->close();
        });
        return WithSibling(Name, Calls, OnFailure);
    }

    QStringList Messages;
};

bool Resident(const QString& Folder, const char* File)
{
    void* h = dlopen(QFile::encodeName(QDir(Folder).filePath(QString::fromLatin1(File))).constData(),
                     RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

} // namespace

TEST(Loader, WindowsNamesMapToModuleNames)
{
    const std::pair<const char*, const char*> cases[] = {
        {"QUENLIT.DLL", "libquenlit.so"}, {"Tavrin.Dll", "libtavrin.so"}, {"CORVDLL.DLL", "libcorvdll.so"},
        {"Yestrel.dll", "libyestrel.so"}, {"Plain", "libplain.so"},       {"..\\..\\Bramlet.Dll", "libbramlet.so"},
    };
    for (const auto& [name, file] : cases)
        EXPECT_EQ(ModuleFileNameFor(QString::fromLatin1(name)), QString::fromLatin1(file)) << name;
}

TEST(Loader, MatchesTheFolderCaseInsensitively)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QFile::link(QDir(FakeLibs::Folder()).filePath("libtavrin.so"), dir.filePath("LibTavrin.SO")));
    SetLibraryFolder(dir.path());
    TLibHandle h = LoadLibraryModule(QStringLiteral("TAVRIN.DLL"));
    EXPECT_NE(h, nullptr);
    EXPECT_NE(ModuleSymbol(h, "CreateMyMessage"), nullptr);
    EXPECT_EQ(ModuleSymbol(h, "GenWords"), nullptr);
    EXPECT_EQ(LoadedModuleCount(), 1);
    FreeLibraryModule(h);
    EXPECT_EQ(LoadedModuleCount(), 0);
    EXPECT_EQ(LoadLibraryModule(QStringLiteral("Sindra.Dll")), nullptr);
    SetLibraryFolder({});
}

TEST_F(SiblingsTest, EnvironmentFolderServesALoaderWithoutItsOwnFolder)
{
    SetLibraryFolder({}); // as in a copy of the loader that tests never set
    EXPECT_EQ(LibraryFolder(), FakeLibs::Folder());
    EXPECT_TRUE(Run(QStringLiteral("Sindra.Dll"), [](TSibling& lib) { lib.Proc<VoidFn>("GenWords")(); }));
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+sindra", "GenWords", "-sindra"}));
}

TEST_F(SiblingsTest, MissingLibraryShowsItsNameAsSpelledAndCallsNothing)
{
    FakeLibs::Use({QStringLiteral("Yestrel.Dll")});
    bool called = false;
    EXPECT_FALSE(Run(QStringLiteral("Yestrel.Dll"), [&](TSibling&) { called = true; }));
    EXPECT_FALSE(called);
    EXPECT_EQ(Messages, QStringList {QStringLiteral("Ошибка при загрузке библиотеки Yestrel.Dll")});
    EXPECT_TRUE(FakeLibs::Log().isEmpty());
}

TEST_F(SiblingsTest, CallsRunBetweenLoadAndUnload)
{
    int color = -1;
    FakeLibs::SetColor(0);
    EXPECT_TRUE(Run(QStringLiteral("Yestrel.Dll"),
                    [&](TSibling& lib) { color = lib.Proc<int()>("ColorPrinter")(); }));
    EXPECT_EQ(color, 0);
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+yestrel", "ColorPrinter", "-yestrel"}));
}

TEST_F(SiblingsTest, MissingExportUnloadsAndReportsNothing)
{
    bool after = false;
    EXPECT_TRUE(Run(QStringLiteral("Tavrin.Dll"), [&](TSibling& lib) {
        lib.Proc<VoidFn>("CreateMyMessage")();
        lib.Proc<VoidFn>("NoSuchExport")();
        after = true;
    }));
    EXPECT_FALSE(after);
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+tavrin", "CreateMyMessage", "-tavrin"}));
}

TEST_F(SiblingsTest, ThrowingExportRemovesTheWaitMessageThenUnloads)
{
    FakeLibs::SetThrow(QStringLiteral("ShowMyMessage"));
    VoidFn* destroy = nullptr;
    EXPECT_TRUE(Run(
        QStringLiteral("Tavrin.Dll"),
        [&](TSibling& lib) {
            auto* create = lib.Proc<VoidFn>("CreateMyMessage");
            auto* show = lib.Proc<VoidFn>("ShowMyMessage");
            destroy = lib.Proc<VoidFn>("DestroyMyMessage");
            create();
            show();
            destroy();
        },
        [&] { destroy(); }));
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(FakeLibs::Log(),
              (QStringList {"+tavrin", "CreateMyMessage", "ShowMyMessage", "DestroyMyMessage", "-tavrin"}));
}

TEST_F(SiblingsTest, FailingFailureHandlerStillUnloads)
{
    EXPECT_TRUE(Run(
        QStringLiteral("Sindra.Dll"), [](TSibling&) { throw std::runtime_error("calls"); },
        [] { throw std::runtime_error("handler"); }));
    EXPECT_TRUE(Messages.isEmpty());
    EXPECT_EQ(FakeLibs::Log(), (QStringList {"+sindra", "-sindra"}));
}

TEST_F(SiblingsTest, ThreeUsesInARowLeaveNothingLoaded)
{
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Run(QStringLiteral("CORVDLL.DLL"), [&](TSibling& lib) {
            const char* unit = lib.Proc<const char*()>("CreateCorvane")();
            EXPECT_EQ(AnsiToQString(unit), QStringLiteral("СЛОВО"));
            lib.Proc<void(const char*)>("InputCorvane")(Ansi("кот\nпёс").c_str());
            lib.Proc<void(const char*)>("OutputCorvane")("doc.rtf");
            lib.Proc<VoidFn>("DestroyCorvane")();
        }));
        EXPECT_EQ(LoadedModuleCount(), 0);
        EXPECT_FALSE(Resident(FakeLibs::Folder(), "libcorvdll.so"));
    }
    const QStringList once {"+corvdll", "CreateCorvane", "InputCorvane кот\\nпёс", "OutputCorvane doc.rtf",
                            "DestroyCorvane", "-corvdll"};
    EXPECT_EQ(FakeLibs::Log(), once + once + once);
}

// The stand-ins shipped with the program.
class StandInsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetLibraryFolder({});
        qunsetenv("LEMV_LIBRARY_DIR");
    }
    void TearDown() override { EXPECT_EQ(LoadedModuleCount(), 0); }
};

TEST_F(StandInsTest, WaitMessageStaysUntilDestroyed)
{
    auto waitShown = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("WaitMessage") && w->isVisible())
                return true;
        return false;
    };
    bool shown = false, gone = false;
    EXPECT_TRUE(WithSibling(QStringLiteral("Tavrin.Dll"), [&](TSibling& lib) {
        lib.Proc<VoidFn>("CreateMyMessage")();
        lib.Proc<VoidFn>("ShowMyMessage")();
        shown = waitShown();
        lib.Proc<VoidFn>("DestroyMyMessage")();
        gone = !waitShown();
    }));
    EXPECT_TRUE(shown);
    EXPECT_TRUE(gone);
}

TEST_F(StandInsTest, WaitMessageLeftUpIsRemovedWithTheLibrary)
{
    EXPECT_TRUE(WithSibling(QStringLiteral("Tavrin.Dll"), [&](TSibling& lib) {
        lib.Proc<VoidFn>("CreateMyMessage")();
        lib.Proc<VoidFn>("ShowMyMessage")();
        throw std::runtime_error("command failed");
    }));
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_NE(w->objectName(), QLatin1String("WaitMessage"));
}

TEST_F(StandInsTest, ProfileAsksForWordsAndReportsThePieces)
{
    QString report;
    ModalDriver drive([&](QWidget* w) {
        for (QLabel* l : w->findChildren<QLabel*>())
            report += l->text();
        w->close();
    });
    EXPECT_TRUE(WithSibling(QStringLiteral("CORVDLL.DLL"), [&](TSibling& lib) {
        EXPECT_EQ(QByteArray(lib.Proc<const char*()>("CreateCorvane")()), QByteArray("\xD1\xCB\xCE\xC2\xCE"));
        for (const char* t : {"раз", "два", "три"})
            lib.Proc<void(const char*)>("InputCorvane")(Ansi(t).c_str());
        lib.Proc<void(const char*)>("OutputCorvane")(Ansi("Сказка.rtf").c_str());
        lib.Proc<VoidFn>("DestroyCorvane")();
    }));
    EXPECT_TRUE(report.contains(QStringLiteral("Сказка.rtf"))) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("3"))) << report.toStdString();
}

TEST_F(StandInsTest, AboutShowsTheProductAndVersion)
{
    QString text;
    ModalDriver drive([&](QWidget* w) {
        for (QLabel* l : w->findChildren<QLabel*>())
            text += l->text() + "\n";
        w->close();
    });
    EXPECT_TRUE(WithSibling(QStringLiteral("Bramlet.Dll"),
                            [](TSibling& lib) { lib.Proc<VoidFn>("AboutLemvora")(); }));
    EXPECT_TRUE(text.contains(QStringLiteral("\"Lemvora\" предвыборной борьбы"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("1.1")));
}

TEST_F(StandInsTest, ColourAnswerIsZeroOrOne)
{
    int answer = -1;
    EXPECT_TRUE(WithSibling(QStringLiteral("Yestrel.Dll"),
                            [&](TSibling& lib) { answer = lib.Proc<int()>("ColorPrinter")(); }));
    EXPECT_TRUE(answer == 0 || answer == 1);
}
