#pragma once
// The system's font configuration (its rules and the cache of its font files)
// read on a thread of its own. Started before the application object, the
// reading overlaps the connection to the display, and the first text the main
// window measures finds the configuration ready instead of reading it then.
#include <thread>

class TFontConfigurationReader {
public:
    TFontConfigurationReader();
    // Waits for the reading.
    ~TFontConfigurationReader();
    TFontConfigurationReader(const TFontConfigurationReader&) = delete;
    TFontConfigurationReader& operator=(const TFontConfigurationReader&) = delete;

    // Returns once the configuration is read (at once after the first call).
    void Wait();

private:
    std::thread reader_;
};
