#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool OpenRegularFile(QFile& File, const QString& HostName)
{
    if (HostName.isEmpty())
        return false;
    // O_NONBLOCK: opening a FIFO with no writer returns at once rather than
    // waiting for one; O_NOCTTY: a terminal does not become ours.
    const int fd = ::open(QFile::encodeName(HostName).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    // A regular file reads the same either way; the flag goes for plain reads.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    File.setFileName(HostName);
    if (!File.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
