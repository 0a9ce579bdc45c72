#include "SingleInstance.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

TMarkerResult TInstanceMarker::Create(const QString& Name)
{
    if (fd_ >= 0)
        return TMarkerResult::Created;
    if (Name.isEmpty())
        return TMarkerResult::NotCreated;
    // LEMV_INSTANCE_SCOPE prefixes the name, so that a test's copies meet
    // only each other and never a program or test run elsewhere on the machine.
    const QByteArray name = qgetenv("LEMV_INSTANCE_SCOPE") + Name.toUtf8();
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    // Abstract namespace: a leading zero byte, then the name without terminator.
    if (static_cast<size_t>(name.size()) > sizeof(addr.sun_path) - 1)
        return TMarkerResult::NotCreated;
    std::memcpy(addr.sun_path + 1, name.constData(), static_cast<size_t>(name.size()));
    const socklen_t len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return TMarkerResult::NotCreated;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), len) != 0) {
        const int err = errno;
        ::close(fd);
        return err == EADDRINUSE ? TMarkerResult::AlreadyExists : TMarkerResult::NotCreated;
    }
    fd_ = fd;
    return TMarkerResult::Created;
}

void TInstanceMarker::Close()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}
