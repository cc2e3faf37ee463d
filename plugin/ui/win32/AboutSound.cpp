#include "plugin/ui/win32/AboutSound.h"

#include <mmsystem.h>

namespace {

class SystemSound final : public AboutSound {
  public:
    UINT WaveDevices() override { return waveOutGetNumDevs(); }
    void PlayWave(const void* wave) override {
        sndPlaySoundA(static_cast<LPCSTR>(wave), SND_ASYNC | SND_MEMORY | SND_NODEFAULT);
    }
    void SimpleBeep() override { MessageBeep(0xFFFFFFFF); }
};

} // namespace

AboutSound& SystemAboutSound() {
    static SystemSound sound;
    return sound;
}
