#include "Speaker.h"

#include <QApplication>
#include <dlfcn.h>
#include <vector>

namespace {

// The few entry points of the ALSA library that a blocking tone needs,
// resolved at run time so that the build needs no sound headers.
struct Alsa {
    using Open = int (*)(void**, const char*, int, int);
    using SetParams = int (*)(void*, int, int, unsigned, unsigned, int, unsigned);
    using WriteI = long (*)(void*, const void*, unsigned long);
    using Drain = int (*)(void*);
    using Close = int (*)(void*);
    using Nonblock = int (*)(void*, int);
    using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
    using SetErrorHandler = int (*)(ErrorHandler);

    void* lib = nullptr;
    Open open = nullptr;
    SetParams setParams = nullptr;
    WriteI writei = nullptr;
    Drain drain = nullptr;
    Close close = nullptr;
    Nonblock nonblock = nullptr;

    Alsa()
    {
        lib = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return;
        open = reinterpret_cast<Open>(dlsym(lib, "snd_pcm_open"));
        setParams = reinterpret_cast<SetParams>(dlsym(lib, "snd_pcm_set_params"));
        writei = reinterpret_cast<WriteI>(dlsym(lib, "snd_pcm_writei"));
        drain = reinterpret_cast<Drain>(dlsym(lib, "snd_pcm_drain"));
        close = reinterpret_cast<Close>(dlsym(lib, "snd_pcm_close"));
        nonblock = reinterpret_cast<Nonblock>(dlsym(lib, "snd_pcm_nonblock"));
        // The library reports every failure on standard error, also where the
        // bell is the expected way out (no sound card, no device): keep quiet.
        if (auto quiet = reinterpret_cast<SetErrorHandler>(dlsym(lib, "snd_lib_error_set_handler")))
            quiet(&Silent);
    }
    static void Silent(const char*, int, const char*, int, const char*, ...) {}
    bool usable() const { return open && setParams && writei && drain && close && nonblock; }
};

constexpr int kPlayback = 0;
constexpr int kOpenNonblock = 1;
constexpr int kFormatS16LE = 2;
constexpr int kAccessRwInterleaved = 3;
constexpr unsigned kRate = 44100;

bool PlayPcm(int hz, int periods)
{
    static Alsa alsa;
    if (!alsa.usable() || hz <= 0 || periods <= 0)
        return false;
    void* pcm = nullptr;
    // A blocking open waits for as long as another program holds the device;
    // opened without waiting, a busy device falls back to the bell. The tone
    // itself is written and drained blocking.
    if (alsa.open(&pcm, "default", kPlayback, kOpenNonblock) < 0 || !pcm)
        return false;
    bool ok = alsa.nonblock(pcm, 0) >= 0 && alsa.setParams(pcm, kFormatS16LE, kAccessRwInterleaved, 1, kRate, 1, 200000) >= 0;
    if (ok) {
        const unsigned half = kRate / (2u * static_cast<unsigned>(hz));
        std::vector<short> wave;
        wave.reserve(static_cast<size_t>(half) * 2 * static_cast<size_t>(periods));
        for (int p = 0; p < periods; ++p) {
            wave.insert(wave.end(), half, 8000);
            wave.insert(wave.end(), half, -8000);
        }
        ok = alsa.writei(pcm, wave.data(), wave.size()) > 0;
        alsa.drain(pcm);
    }
    alsa.close(pcm);
    return ok;
}

class RealSpeaker : public ISpeaker {
public:
    void SquareWave(int FrequencyHz, int Periods) override
    {
        if (!PlayPcm(FrequencyHz, Periods))
            QApplication::beep();
    }
};

ISpeaker* g_override = nullptr;

} // namespace

ISpeaker& SpeakerLayer()
{
    static RealSpeaker real;
    return g_override ? *g_override : real;
}

void SetSpeakerLayer(ISpeaker* Speaker)
{
    g_override = Speaker;
}
