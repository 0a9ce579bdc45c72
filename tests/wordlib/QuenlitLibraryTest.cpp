// The real library as the program meets it: loaded by file name, one export,
// fresh globals on every load, nothing left behind after the call, and the
// whole road of the word command from the editor to the word window.
#include "Application.h"
#include "Loader.h"
#include "REMain.h"
#include "Win1251.h"
#include "ui_REMain.h"
#include "Waits.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMetaType>
#include <QPointer>
#include <QTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <utility>

namespace {

using FonoSemWrdProc = int32_t (*)(const char*);

QString LibraryPath()
{
    return QDir(ProgramDir()).filePath(QStringLiteral("libquenlit.so"));
}

// The defined symbols of an ELF file's dynamic (or full) symbol table, with
// their values.
std::map<std::string, uint64_t> ElfSymbols(const QString& File, bool Dynamic)
{
    std::map<std::string, uint64_t> result;
    QFile f(File);
    if (!f.open(QIODevice::ReadOnly))
        return result;
    const QByteArray image = f.readAll();
    const char* base = image.constData();
    const auto* eh = reinterpret_cast<const Elf64_Ehdr*>(base);
    const auto* sh = reinterpret_cast<const Elf64_Shdr*>(base + eh->e_shoff);
    for (int i = 0; i < eh->e_shnum; ++i) {
        if (sh[i].sh_type != (Dynamic ? SHT_DYNSYM : SHT_SYMTAB))
            continue;
        const char* names = base + sh[sh[i].sh_link].sh_offset;
        const auto* syms = reinterpret_cast<const Elf64_Sym*>(base + sh[i].sh_offset);
        for (size_t k = 0; k < sh[i].sh_size / sizeof(Elf64_Sym); ++k)
            if (syms[k].st_shndx != SHN_UNDEF && syms[k].st_name != 0)
                result[names + syms[k].st_name] = syms[k].st_value;
    }
    return result;
}

bool LibraryMapped()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libquenlit.so");
}

// The address range of the loaded library.
struct Range {
    uintptr_t from = 0, to = 0;
    bool Contains(const void* p) const { return uintptr_t(p) >= from && uintptr_t(p) < to; }
};

Range LibraryRange(void* Handle)
{
    Range r;
    link_map* map = nullptr;
    if (dlinfo(Handle, RTLD_DI_LINKMAP, &map) != 0 || !map)
        return r;
    struct Search {
        const char* name;
        Range* range;
    } search { map->l_name, &r };
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            auto* s = static_cast<Search*>(data);
            if (std::strcmp(info->dlpi_name, s->name) != 0)
                return 0;
            for (int i = 0; i < info->dlpi_phnum; ++i)
                if (info->dlpi_phdr[i].p_type == PT_LOAD) {
                    const uintptr_t a = info->dlpi_addr + info->dlpi_phdr[i].p_vaddr;
                    const uintptr_t b = a + info->dlpi_phdr[i].p_memsz;
                    s->range->from = s->range->from ? std::min(s->range->from, a) : a;
                    s->range->to = std::max(s->range->to, b);
                }
            return 1;
        },
        &search);
    return r;
}

// The library's top-level window of that object name: the test cannot name
// the library's types.
QWidget* TopLevel(const char* Name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(Name))
            return w;
    return nullptr;
}

QStringList TabsOf(QWidget* Window)
{
    QStringList tabs;
    if (auto* t = Window->findChild<QTabWidget*>(QStringLiteral("PageControl1")))
        for (int i = 0; i < t->count(); ++i)
            tabs << t->tabText(i);
    return tabs;
}

template <int N>
struct Probe {
};

// Answers the library's dialogs: the entry dialog with Entry, every other
// modal window with Other, once each. They run from the event loop rather than
// from the driver's timer, so that the windows they open modally are answered
// too.
class TLibraryDriver {
public:
    std::function<void(QWidget*)> Entry;
    std::function<void(QWidget*)> Other = [](QWidget* W) { static_cast<QDialog*>(W)->reject(); };

    explicit TLibraryDriver(std::function<void(QWidget*)> OnEntry) : Entry(std::move(OnEntry))
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (!w || !w->isVisible() || handled_.contains(w))
                return;
            handled_ << w;
            const bool entry = w->findChild<QLineEdit*>(QStringLiteral("Edit1")) != nullptr;
            QTimer::singleShot(0, w, [this, w, entry] { (entry ? Entry : Other)(w); });
        });
        timer_.start();
    }

private:
    QTimer timer_;
    QList<QPointer<QWidget>> handled_;
};

// Loads the library, runs one call with Entry working in the entry dialog,
// and unloads it; Inside runs between the call and the unloading.
int32_t CallOnce(const char* Word, std::function<void(QWidget*)> Entry, const std::function<void(void*)>& Inside = {})
{
    TLibHandle h = LoadLibraryModule(QStringLiteral("QUENLIT.DLL"));
    if (!h)
        return -1;
    auto proc = reinterpret_cast<FonoSemWrdProc>(ModuleSymbol(h, "FonoSemWrd"));
    int32_t result = -2;
    {
        TLibraryDriver driver(std::move(Entry));
        if (proc)
            result = proc(Word);
    }
    if (Inside)
        Inside(h);
    FreeLibraryModule(h);
    return result;
}

// Closes the entry dialog at once.
void Cancel(QWidget* W)
{
    if (auto* cancel = W->findChild<QPushButton*>(QStringLiteral("BitBtn2")))
        cancel->click();
    else if (auto* d = qobject_cast<QDialog*>(W))
        d->reject();
}

class Library : public ::testing::Test {
protected:
    void SetUp() override { SetLibraryFolder(ProgramDir()); }
    void TearDown() override { SetLibraryFolder({}); }
};

} // namespace

TEST_F(Library, ExportsFonoSemWrdAndNothingElse)
{
    const auto exported = ElfSymbols(LibraryPath(), true);
    std::set<std::string> names;
    for (const auto& [name, value] : exported)
        names.insert(name);
    EXPECT_EQ(names, std::set<std::string> { "FonoSemWrd" });
}

TEST_F(Library, EveryLoadStartsWithFreshGlobals)
{
    // WordTopList is the library's own ranking: a word analysis fills it.
    const auto symbols = ElfSymbols(LibraryPath(), false);
    ASSERT_TRUE(symbols.count("WordTopList")) << "the library's symbol table";
    const uint64_t offset = symbols.at("WordTopList");
    const auto rankedCount = [&](void* Handle) {
        link_map* map = nullptr;
        dlinfo(Handle, RTLD_DI_LINKMAP, &map);
        return *reinterpret_cast<const int32_t*>(map->l_addr + offset);
    };
    const auto analyseKot = [](QWidget* W) {
        auto* edit = W->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        if (edit->text() == QStringLiteral("КОТ"))
            W->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click(); // the word window comes and goes
        Cancel(W);
    };
    for (int run = 0; run < 2; ++run) {
        int before = -1, after = -1;
        TLibHandle h = LoadLibraryModule(QStringLiteral("QUENLIT.DLL"));
        ASSERT_TRUE(h);
        before = rankedCount(h);
        {
            TLibraryDriver driver(analyseKot);
            EXPECT_EQ(reinterpret_cast<FonoSemWrdProc>(ModuleSymbol(h, "FonoSemWrd"))(Ansi("кот").c_str()), 1);
        }
        after = rankedCount(h);
        FreeLibraryModule(h);
        EXPECT_EQ(before, 0) << "run " << run;
        EXPECT_EQ(after, 25) << "run " << run;
        // Really unloaded: the next load maps it afresh.
        EXPECT_FALSE(LibraryMapped());
        EXPECT_EQ(dlopen(QFile::encodeName(LibraryPath()).constData(), RTLD_NOW | RTLD_NOLOAD), nullptr);
    }
}

// Answers the word window by opening its help, saving its chart page as Bmp
// (and with it the document) and closing it; the save dialog gets the name.
void SaveAndClose(QWidget* W, const QString& Bmp)
{
    if (auto* files = qobject_cast<QFileDialog*>(W)) {
        files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(Bmp);
        QMetaObject::invokeMethod(files, "accept");
        return;
    }
    if (W->objectName() == QLatin1String("GrafForm")) {
        // The help window opens too; it goes with the word window.
        if (auto* help = W->findChild<QPushButton*>(QStringLiteral("HelpSpeedButton")))
            help->click();
        if (auto* save = W->findChild<QToolButton*>(QStringLiteral("FileSaveSpeedButton")))
            save->click();
    }
    if (auto* d = qobject_cast<QDialog*>(W))
        d->reject();
}

TEST_F(Library, LeavesNothingBehind)
{
    QTemporaryDir dir;
    int run = 0;
    // The word window comes up, saves its page and goes; the stress window too.
    const auto entry = [](QWidget* W) {
        auto* edit = W->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/quenlit/SMALLIMAGES")));
        for (const char* word : { "КОТ", "МАМА" }) {
            edit->setText(QString::fromUtf8(word));
            W->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        }
        EXPECT_TRUE(TopLevel("Form3") && TopLevel("Form3")->isVisible());
        Cancel(W);
    };
    const auto call = [&](const std::function<void(void*)>& Inside = {}) {
        TLibHandle h = LoadLibraryModule(QStringLiteral("QUENLIT.DLL"));
        ASSERT_TRUE(h);
        {
            TLibraryDriver driver(entry);
            const QString bmp = dir.filePath(QStringLiteral("w%1.bmp").arg(++run));
            driver.Other = [bmp](QWidget* W) { SaveAndClose(W, bmp); };
            EXPECT_EQ(reinterpret_cast<FonoSemWrdProc>(ModuleSymbol(h, "FonoSemWrd"))(""), 1);
        }
        if (Inside)
            Inside(h);
        FreeLibraryModule(h);
    };
    // A first call lets Qt create what it makes once per process on first use.
    call();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const int widgetsBefore = QApplication::allWidgets().size();
    const int childrenBefore = qApp->children().size();
    const int typeBefore = qRegisterMetaType<Probe<1>>();
    Range range;
    call([&](void* h) { range = LibraryRange(h); });
    ASSERT_NE(range.from, 0u);
    // The page was saved: the chart and the document beside it.
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("w2.bmp"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("w2.DOC"))));
    // Deferred deletions of Qt's own objects may run; the library's are gone already.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::allWidgets())
        EXPECT_FALSE(range.Contains(w->metaObject())) << w->metaObject()->className();
    for (QObject* o : qApp->findChildren<QObject*>())
        EXPECT_FALSE(range.Contains(o->metaObject())) << o->metaObject()->className();
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
    EXPECT_EQ(qApp->children().size(), childrenBefore);
    // No type left registered by the library: the next registration follows ours.
    EXPECT_EQ(qRegisterMetaType<Probe<2>>(), typeBefore + 1);
    EXPECT_FALSE(QMetaType::fromName("std::shared_ptr<IAutomationObject>").isValid());
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/quenlit/SMALLIMAGES")));
    EXPECT_EQ(LoadedModuleCount(), 0);
    // Timers or filters of the library would fire into unloaded code now.
    QTest::qWait(50);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(qApp, &key);
}

TEST_F(Library, ReadsTheCallersBufferOnlyUpToItsZero)
{
    // The word ends the last readable page; the page after it cannot be read.
    const long page = sysconf(_SC_PAGESIZE);
    auto* mem = static_cast<char*>(mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(mem, MAP_FAILED);
    ASSERT_EQ(mprotect(mem + page, page, PROT_NONE), 0);
    const std::string word = Ansi("кот");
    char* at = mem + page - word.size() - 1;
    std::memcpy(at, word.c_str(), word.size() + 1);
    QString shown;
    EXPECT_EQ(CallOnce(at,
                       [&](QWidget* W) {
                           shown = W->findChild<QLineEdit*>(QStringLiteral("Edit1"))->text();
                           Cancel(W);
                       }),
              1);
    EXPECT_EQ(shown, QStringLiteral("КОТ"));
    munmap(mem, 2 * page);
}

// The word command from the program's editor down to the word window and back.
TEST(WordCommand, RunsTheWholeRoadWithAFreshLibraryEachTime)
{
    SetLibraryFolder(ProgramDir());
    TMainForm form;
    form.CommandLine.clear();
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form, EventWaitMs));
    QTextEdit* editor = form.Editor();
    editor->setPlainText(QStringLiteral("Наша мама дома."));
    QTextCursor c = editor->textCursor();
    c.setPosition(5);
    c.setPosition(9, QTextCursor::KeepAnchor);
    editor->setTextCursor(c);
    editor->setFocus();

    QStringList seen;
    TLibraryDriver driver([&](QWidget* W) {
        auto* edit = W->findChild<QLineEdit*>(QStringLiteral("Edit1"));
        seen << QStringLiteral("entry ") + edit->text();
        W->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        QWidget* stress = TopLevel("Form3");
        seen << QStringLiteral("stress %1").arg(stress && stress->isVisible());
        if (stress)
            QTest::keyClick(stress, Qt::Key_Return); // the word window comes up modally
        Cancel(W);
    });
    driver.Other = [&](QWidget* W) {
        seen << QStringLiteral("%1: %2").arg(W->windowTitle(), TabsOf(W).join(QLatin1Char(',')));
        static_cast<QDialog*>(W)->reject();
    };
    for (int run = 0; run < 2; ++run) {
        // Back in the editor after the library's windows closed.
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form, EventWaitMs));
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_F5);
        EXPECT_FALSE(LibraryMapped()) << "unloaded after the command";
    }
    const QStringList once { QStringLiteral("entry МАМА"), QStringLiteral("stress 1"),
                             QStringLiteral("Фоносемантика слова: МАМА,# МАМА") };
    EXPECT_EQ(seen, once + once);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Наша мама дома."));
    SetLibraryFolder({});
}
