#include "FontConfiguration.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

TFontConfigurationReader::TFontConfigurationReader()
{
    // Qt's font database reads the configuration through the same call, which
    // returns at once when the thread has read it; without a thread Qt reads it.
    try {
        reader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
    }
}

TFontConfigurationReader::~TFontConfigurationReader()
{
    Wait();
}

void TFontConfigurationReader::Wait()
{
    if (reader_.joinable())
        reader_.join();
}
