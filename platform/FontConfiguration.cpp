#include "FontConfiguration.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

TFontConfigurationReader::TFontConfigurationReader()
{
    // Qt's font database reads the configuration through the same call, which
    // returns at once once it is read; with no thread to be had it reads it itself.
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
