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
    if (fd < 0)
        Fail(HostName, errno);
    int error = 0;
    const char* p = Data.constData();
    qsizetype left = Data.size();
    while (left > 0 && !error) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            error = n < 0 ? errno : ENOSPC;
        else {
            p += n;
            left -= n;
        }
    }
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
