#include "SafeFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

QString Reason(int Error)
{
    switch (Error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("на диске недостаточно места");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав на запись");
    case EROFS:
        return QStringLiteral("диск доступен только для чтения");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("папка не найдена");
    case EISDIR:
        return QStringLiteral("под этим именем уже есть папка");
    case ENAMETOOLONG:
        return QStringLiteral("слишком длинное имя");
    default:
        return QStringLiteral("ошибка записи (код %1)").arg(Error);
    }
}

[[noreturn]] void Fail(const QString& HostName, int Error)
{
    throw EWriteError(QStringLiteral("Не удалось записать файл «%1»: %2.")
                          .arg(QDir::toNativeSeparators(HostName), Reason(Error))
                          .toStdString());
}

// Writes all of Data at the descriptor's position; 0, or the error.
int WriteAll(int Fd, const QByteArray& Data)
{
    const char* p = Data.constData();
    qsizetype left = Data.size();
    while (left > 0) {
        const ssize_t n = ::write(Fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        p += n;
        left -= n;
    }
    return 0;
}

// The target rewritten where it lies, for a folder that takes no new file. Room
// for the new bytes is reserved first, so that a full disk fails before the
// old content is touched.
void WriteInPlace(const QString& HostName, const QByteArray& Target, const QByteArray& Data)
{
    const int fd = ::open(Target.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        Fail(HostName, errno);
    int error = Data.isEmpty() ? 0 : ::posix_fallocate(fd, 0, static_cast<off_t>(Data.size()));
    if (error == EOPNOTSUPP || error == EINVAL) // a file system that reserves nothing
        error = 0;
    if (!error)
        error = WriteAll(fd, Data);
    if (!error && ::ftruncate(fd, static_cast<off_t>(Data.size())) != 0)
        error = errno;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (error)
        Fail(HostName, error);
}


// The file a name stands for: a symbolic link is followed (relative to its
// own folder) until a name that is no link, also one that does not exist yet,
// so that saving writes the file the link names and the link stays.
QByteArray ResolveLinks(const QString& HostName, QByteArray Path)
{
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(Path.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return Path;
        if (hops == 40)
            Fail(HostName, ELOOP);
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(Path.constData(), buf, sizeof buf);
        if (n < 0)
            Fail(HostName, errno);
        if (static_cast<size_t>(n) == sizeof buf)
            Fail(HostName, ENAMETOOLONG);
        QByteArray link(buf, static_cast<qsizetype>(n));
        if (!link.startsWith('/')) {
            const qsizetype slash = Path.lastIndexOf('/');
            link.prepend(slash < 0 ? QByteArray() : Path.left(slash + 1));
        }
        Path = link;
    }
}

// The temporary names of File: ".NAME.PID-N.tmp" beside it.
QByteArray TempPrefix(const QByteArray& Name)
{
    return '.' + Name + '.';
}

// Removes the temporaries of File (in Folder) that a save of a process no
// longer running left behind (killed, or the power gone, before its rename).
void RemoveStaleTemporaries(const QByteArray& Folder, const QByteArray& Name)
{
    DIR* dir = ::opendir(Folder.constData());
    if (!dir)
        return;
    const QByteArray prefix = TempPrefix(Name);
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray entry(e->d_name);
        if (!entry.startsWith(prefix) || !entry.endsWith(".tmp"))
            continue;
        const QByteArray middle = entry.mid(prefix.size(), entry.size() - prefix.size() - 4);
        const qsizetype dash = middle.indexOf('-');
        bool pidOk = false, counterOk = false;
        const qint64 pid = middle.left(dash).toLongLong(&pidOk);
        middle.mid(dash + 1).toULongLong(&counterOk);
        if (dash <= 0 || !pidOk || !counterOk || pid <= 0 || pid > INT_MAX)
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

// Writes Data into the new file Fd and puts it on the disk, with the old
// file's permissions when there is one; 0, or the error.
int FillNewFile(int Fd, const QByteArray& Data, const struct stat* Old)
{
    int error = WriteAll(Fd, Data);
    if (!error && Old)
        ::fchmod(Fd, Old->st_mode & 07777);
    if (!error && ::fsync(Fd) != 0)
        error = errno;
    return error;
}

} // namespace

void WriteFileWhole(const QString& HostName, const QByteArray& Data)
{
    const QByteArray target = ResolveLinks(HostName, QFile::encodeName(HostName));
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        Fail(HostName, EISDIR);
    if (exists && ::access(target.constData(), W_OK) != 0)
        Fail(HostName, errno);
    // A file of several names is rewritten where it lies, so that every name
    // sees the new content; a new file would take this name alone.
    if (exists && S_ISREG(old.st_mode) && old.st_nlink > 1) {
        WriteInPlace(HostName, target, Data);
        return;
    }

    // The new file beside the target, so that the rename stays on one file system.
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
    const QByteArray name = target.mid(slash + 1);
    RemoveStaleTemporaries(folder, name);
    static unsigned counter = 0;
    const QByteArray temp = folder + '/' + TempPrefix(name) + QByteArray::number(::getpid()) + '-'
        + QByteArray::number(++counter) + ".tmp";
    const struct stat* oldMode = exists ? &old : nullptr;

    // Written unnamed where the file system allows it, and named only once it
    // is whole on the disk: a save killed while writing leaves nothing behind.
    int error = 0;
    bool written = false;
    if (const int fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666); fd >= 0) {
        error = FillNewFile(fd, Data, oldMode);
        if (!error) {
            const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
            written = ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temp.constData(), AT_SYMLINK_FOLLOW) == 0;
        }
        ::close(fd);
        if (error)
            Fail(HostName, error);
    } else if (errno == EACCES || errno == EPERM) {
        // A folder that refuses new files may still hold a writable target:
        // then the save goes in place, without the replace as a whole.
        if (!exists)
            Fail(HostName, errno);
        WriteInPlace(HostName, target, Data);
        return;
    } else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        Fail(HostName, errno);
    }

    if (!written) {
        // A file system without unnamed files (or no /proc to name one by): a
        // named new file, which a later save removes should this one be killed.
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            const int refused = errno;
            if (!exists || (refused != EACCES && refused != EPERM))
                Fail(HostName, refused);
            WriteInPlace(HostName, target, Data);
            return;
        }
        error = FillNewFile(fd, Data, oldMode);
        if (::close(fd) != 0 && !error)
            error = errno;
    }
    if (!error && ::rename(temp.constData(), target.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.constData());
        Fail(HostName, error);
    }
}
