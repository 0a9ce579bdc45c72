#include "SafeFile.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
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

} // namespace

void WriteFileWhole(const QString& HostName, const QByteArray& Data)
{
    const QByteArray target = QFile::encodeName(HostName);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        Fail(HostName, EISDIR);
    if (exists && ::access(target.constData(), W_OK) != 0)
        Fail(HostName, errno);

    // The new file beside the target, so that the rename stays on one file system.
    static unsigned counter = 0;
    const QFileInfo info(HostName);
    const QByteArray temp = QFile::encodeName(info.absolutePath() + QStringLiteral("/.%1.%2-%3.tmp")
                                                  .arg(info.fileName())
                                                  .arg(::getpid())
                                                  .arg(++counter));
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int refused = errno;
        // A folder that refuses new files may still hold a writable target:
        // then the save goes in place, without the replace as a whole.
        if (!exists || (refused != EACCES && refused != EPERM))
            Fail(HostName, refused);
        WriteInPlace(HostName, target, Data);
        return;
    }
    int error = WriteAll(fd, Data);
    if (!error && exists)
        ::fchmod(fd, old.st_mode & 07777);
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    if (!error && ::rename(temp.constData(), target.constData()) != 0)
        error = errno;
    if (error) {
        ::unlink(temp.constData());
        Fail(HostName, error);
    }
}
