#pragma once
// Exception types shared by every layer. Messages are UTF-8; the default
// error box shows what() as it stands.
#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The silent abort: caught where the application loop would catch it, never shown.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

class ERangeError : public Exception {
public:
    ERangeError() : Exception("Range check error") {}
};

class EIntOverflow : public Exception {
public:
    EIntOverflow() : Exception("Integer overflow") {}
};

// Raised by the automation layer: object creation or a command failed.
class EOleError : public Exception {
public:
    using Exception::Exception;
};
