#pragma once
// The single-instance marker: a named object that lives exactly as long as
// the process holding it. It is an abstract-namespace Unix socket bound to the
// name, so the kernel removes it with the process, also after a crash.
#include <QString>

enum class TMarkerResult {
    Created,       // the name was free: this process now holds it
    AlreadyExists, // another process holds the name
    NotCreated,    // the object could not be made at all
};

class TInstanceMarker {
public:
    TInstanceMarker() = default;
    TInstanceMarker(const TInstanceMarker&) = delete;
    TInstanceMarker& operator=(const TInstanceMarker&) = delete;
    // The destructor leaves the object in place: a held marker belongs to the
    // process until it ends. Close() gives it up earlier.
    ~TInstanceMarker() = default;

    TMarkerResult Create(const QString& Name);
    bool Held() const { return fd_ >= 0; }
    void Close();

private:
    int fd_ = -1;
};
