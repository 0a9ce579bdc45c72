#pragma once
// Opening a file for reading, only when it is a regular file. A FIFO, a
// device or a socket is refused as a file that cannot be opened: reading one
// could block for ever (a FIFO without a writer) or never end (/dev/zero).
// The check never blocks: the name is opened without waiting, and what was
// opened is then looked at.
#include <QFile>
#include <QString>

// Opens HostName (a path of this host) read-only into File. False, with
// nothing open, when it cannot be opened or is not a regular file.
bool OpenRegularFile(QFile& File, const QString& HostName);
