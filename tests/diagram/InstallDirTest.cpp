#include "Application.h"
#include "FakeRegistry.h"
#include "InstallDir.h"
#include "Registry.h"
#include "Win1251.h"
#include "WinPaths.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>

namespace {

const QString kUninstallKey = QStringLiteral("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lemvora предвыборной борьбы");

// Answers every modal question with Result (2 closes the box), counting them.
class Answerer {
public:
    explicit Answerer(int Result)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this, Result] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++Asked;
                d->done(Result);
            }
        });
        timer_.start(5);
    }
    int Asked = 0;

private:
    QTimer timer_;
};

class InstallDir : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.isValid());
        root_ = tmp_.path();
        QDir(root_).mkpath(QStringLiteral("cwd"));
        saved_ = QDir::currentPath();
        QDir::setCurrent(root_ + "/cwd");
        TWinPathConfig c;
        c.ProgramFileName = QStringLiteral("Lemvora.exe");
        for (char d : { 'C', 'D', 'E', 'F' })
            c.Drives[QChar(d)] = root_ + "/" + d;
        SetWinPathConfig(c);
        SetRegistryLayer(&reg_);
    }
    void TearDown() override
    {
        QDir::setCurrent(saved_);
        SetRegistryLayer(nullptr);
        ResetWinPaths();
    }
    // Creates the program file under the host folder of a Windows directory.
    void PutProgram(const QString& HostDir)
    {
        QDir().mkpath(HostDir);
        QFile f(HostDir + "/Lemvora.exe");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    std::string Lookup() { return ::InstallDir(); }
    // The current directory is drive W:, a root: the lookup's "\\" makes two.
    static std::string Cwd() { return "W:\\\\"; }

    QTemporaryDir tmp_;
    QString root_;
    QString saved_;
    FakeRegistry reg_;
};

} // namespace

TEST_F(InstallDir, UninstallStringNamesTheFolderBetweenTheMarkers)
{
    PutProgram(root_ + "/D/Apps/Phono");
    struct Case {
        const char* what;
        QString uninstall;
        bool found;
    };
    const Case cases[] = {
        { "the example", QStringLiteral("C:\\WIN\\IsUninst.exe -f\"C:\\x\\DeIsL1.isu\" -c01D:\\Apps\\Phono\\_ISREG32.DLL"), true },
        { "no DeIsL1.isu: the copy starts at position 16", QStringLiteral("0123456789abcdeD:\\Apps\\Phono\\_ISREG32.DLL"), true },
        { "marker in lower case", QStringLiteral("C:\\x\\DeIsL1.isu123456D:\\Apps\\Phono\\_isreg32.dll"), false },
        { "markers out of order", QStringLiteral("_ISREG32.DLL C:\\x\\DeIsL1.isu123456D:\\Apps\\Phono\\"), false },
    };
    for (const Case& c : cases) {
        reg_.Keys[kUninstallKey][QStringLiteral("UninstallString")] = c.uninstall;
        Answerer no(7);
        const std::string dir = Lookup();
        // Found in the uninstall folder: the current directory is taken.
        EXPECT_EQ(dir, c.found ? Cwd() : std::string()) << c.what;
        EXPECT_EQ(no.Asked, c.found ? 0 : 1) << c.what;
    }
}

TEST_F(InstallDir, ProgramInTheCurrentDirectoryWinsWhateverTheRegistryHolds)
{
    PutProgram(root_ + "/cwd");
    reg_.Keys[QStringLiteral("\\Lemvora\\1.1")][QStringLiteral("RootDir")] = QStringLiteral("E:\\Elsewhere");
    PutProgram(root_ + "/E/Elsewhere");
    EXPECT_EQ(Lookup(), Cwd());
    EXPECT_TRUE(WinFileExists(AnsiToQString(Lookup() + "Lemvora.exe")));
}

TEST_F(InstallDir, NoHostPathPassesThroughTheCodePage)
{
    // The program's folder and the current directory carry a letter outside
    // Windows-1251; the lookup sees them as drives and finds the help file.
    const QString program = root_ + QStringLiteral("/josé/Lemvora");
    PutProgram(program);
    QDir().mkpath(program + "/Data");
    QFile help(program + "/Data/Lemvora.hlp");
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.close();
    TWinPathConfig c;
    c.ProgramFolder = program;
    c.ProgramFileName = QStringLiteral("Lemvora.exe");
    SetWinPathConfig(c);
    SetRegistryLayer(nullptr); // the built-in product key: "RootDir" is the program's drive
    std::string dir = Lookup();
    EXPECT_EQ(dir, std::string("X:\\"));
    EXPECT_EQ(HostPath(AnsiToQString(dir + "Data\\Lemvora.hlp")), program + "/Data/Lemvora.hlp");
    EXPECT_TRUE(WinFileExists(AnsiToQString(dir + "Data\\Lemvora.hlp")));
    // Started from its folder: the current directory's drive.
    QDir::setCurrent(program);
    dir = Lookup();
    EXPECT_EQ(dir, Cwd());
    EXPECT_EQ(QFileInfo(HostPath(AnsiToQString(dir + "Data\\Lemvora.hlp"))).canonicalFilePath(),
              QFileInfo(help).canonicalFilePath());
}

TEST_F(InstallDir, ProductKeyWithAndWithoutTheQuestion)
{
    PutProgram(root_ + "/E/Apps/Lemvora");
    {
        reg_.Keys[QStringLiteral("\\Lemvora\\1.1")][QStringLiteral("RootDir")] = QStringLiteral("E:\\Apps\\Lemvora");
        Answerer none(7);
        EXPECT_EQ(Lookup(), "E:\\Apps\\Lemvora\\");
        EXPECT_EQ(none.Asked, 0);
    }
    reg_.Keys.clear();
    {
        Answerer yes(6); // the key is missing: Yes reads an absent RootDir, nothing found
        EXPECT_EQ(Lookup(), "");
        EXPECT_EQ(yes.Asked, 1);
    }
    PutProgram(root_ + "/F/Program Files/Lemvora");
    for (int answer : { 7, 2 }) { // No, and closing the box, skip the key; the drive scan finds F:
        Answerer a(answer);
        EXPECT_EQ(Lookup(), "F:\\Program Files\\Lemvora\\") << answer;
        EXPECT_EQ(a.Asked, 1);
    }
    // RootDir without the program: empty, then the drive scan.
    reg_.Keys[QStringLiteral("\\Lemvora\\1.1")][QStringLiteral("RootDir")] = QStringLiteral("E:\\Nothing");
    Answerer none(7);
    EXPECT_EQ(Lookup(), "F:\\Program Files\\Lemvora\\");
    EXPECT_EQ(none.Asked, 0);
}

TEST_F(InstallDir, DriveScanTakesTheFirstDriveInOrder)
{
    reg_.Keys[QStringLiteral("\\Lemvora\\1.1")];
    PutProgram(root_ + "/F/Program Files/Lemvora");
    PutProgram(root_ + "/E/Program Files/Lemvora");
    EXPECT_EQ(Lookup(), "E:\\Program Files\\Lemvora\\");
}

TEST_F(InstallDir, AskRegistryKeyShowsTheQuestionOnlyForAMissingKey)
{
    reg_.Keys[QStringLiteral("\\Software\\Classes\\Word.Basic.8")];
    Answerer no(7);
    EXPECT_TRUE(AskRegistryKey(HKEY_LOCAL_MACHINE, "\\Software\\Classes\\Word.Basic.8", "?"));
    EXPECT_EQ(no.Asked, 0);
    EXPECT_FALSE(AskRegistryKey(HKEY_LOCAL_MACHINE, "\\Missing", "?"));
    EXPECT_EQ(no.Asked, 1);
}

TEST(WinPaths, MapsSeparatorsDrivesAndTheProgramFile)
{
    TWinPathConfig c;
    c.Drives[QChar('E')] = QStringLiteral("/srv/e");
    c.ProgramFolder = QStringLiteral("/opt/программа");
    c.ProgramFileName = QStringLiteral("lemvora-bin");
    SetWinPathConfig(c);
    EXPECT_EQ(WinProgramDir(), QStringLiteral("X:\\"));
    EXPECT_EQ(WinCurrentDir(), QStringLiteral("W:\\"));
    EXPECT_EQ(HostPath(QStringLiteral("X:\\Data\\Lemvora.hlp")), QStringLiteral("/opt/программа/Data/Lemvora.hlp"));
    EXPECT_EQ(HostPath(QStringLiteral("x:\\Lemvora.exe")), QStringLiteral("/opt/программа/lemvora-bin"));
    EXPECT_EQ(HostPath(QStringLiteral("W:\\\\Data")), QDir::currentPath() + QStringLiteral("/Data"));
    EXPECT_EQ(HostPath(QStringLiteral("Data\\Lemvora.hlp")), QStringLiteral("Data/Lemvora.hlp"));
    EXPECT_EQ(HostPath(QStringLiteral("C:\\Program Files\\Lemvora\\Lemvora.exe")), QString());
    EXPECT_EQ(HostPath(QStringLiteral("e:\\Program Files\\x.txt")), QStringLiteral("/srv/e/Program Files/x.txt"));
    EXPECT_EQ(HostPath(QStringLiteral("/opt/app\\LEMVORA.EXE")), QStringLiteral("/opt/app/lemvora-bin"));
    EXPECT_EQ(HostPath(QStringLiteral("Lemvora.exe")), QStringLiteral("lemvora-bin"));
    EXPECT_FALSE(WinFileExists(QStringLiteral("C:\\")));
    ResetWinPaths();
    EXPECT_EQ(HostPath(QStringLiteral("/opt\\Lemvora.exe")),
              QStringLiteral("/opt/") + QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

TEST(Registry, CarriesTheProductKeyAndTakesTheOverlay)
{
    SetRegistryLayer(nullptr);
    QString v;
    ASSERT_TRUE(RegistryLayer().ReadString(HKEY_LOCAL_MACHINE, QStringLiteral("\\Lemvora\\1.1"), QStringLiteral("RootDir"), v));
    EXPECT_EQ(v, QStringLiteral("X:\\"));
    EXPECT_FALSE(RegistryLayer().KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

    QTemporaryDir tmp;
    const QString ini = tmp.path() + "/reg.ini";
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("; overlay\n[-HKEY_LOCAL_MACHINE\\Lemvora\\1.1]\n"
                           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lemvora предвыборной борьбы]\n"
                           "UninstallString=a=b\\DeIsL1.isu\n")
                .toUtf8());
    f.close();
    qputenv(RegistryOverlayVariable, ini.toLocal8Bit());
    EXPECT_FALSE(RegistryLayer().KeyExists(HKEY_LOCAL_MACHINE, QStringLiteral("\\Lemvora\\1.1")));
    ASSERT_TRUE(RegistryLayer().ReadString(HKEY_LOCAL_MACHINE, QStringLiteral("software\\microsoft\\windows\\currentversion\\uninstall\\Lemvora предвыборной борьбы\\"),
                                           QStringLiteral("uninstallstring"), v));
    EXPECT_EQ(v, QStringLiteral("a=b\\DeIsL1.isu"));
    qunsetenv(RegistryOverlayVariable);
    EXPECT_TRUE(RegistryLayer().KeyExists(HKEY_LOCAL_MACHINE, QStringLiteral("\\Lemvora\\1.1")));
}
