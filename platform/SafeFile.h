#pragma once
// Writing a file whole or not at all: the bytes go to a new file beside the
// target, which replaces the target only once everything is on the disk. A
// failure (no such folder, no permission, a full disk) leaves the target as it
// was and raises EWriteError with a message for the user. Where the folder
// takes no new file but the target may be written, the target is written in
// place, after room for the bytes was reserved (a full disk still fails before
// the old content is touched).
//
// A symbolic link stays a link: the file it names (resolved at each save) is
// the target, and its folder takes the new file. A file with several hard
// links is written in place, so that every name sees the new content. The new
// file is unnamed until it is whole (O_TMPFILE) where the file system allows
// it; a named one left by a save that was killed is removed by the next save
// of the same file, once its process no longer runs.
#include "Errors.h"

#include <QByteArray>
#include <QString>

class EWriteError : public Exception {
public:
    using Exception::Exception;
};

// HostName is a path of this host.
void WriteFileWhole(const QString& HostName, const QByteArray& Data);
