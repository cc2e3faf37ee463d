#pragma once
// The About box's sounds: the wave-device count, playing a WAVE image from memory, the
// simple beep. An interface, so that a test can count what would be heard.

#include <windows.h>

class AboutSound {
  public:
    virtual ~AboutSound() = default;
    // Number of wave-output devices; 0 means the box beeps instead of playing.
    virtual UINT WaveDevices() = 0;
    // Starts a whole WAVE file held in memory, asynchronously, with no default sound;
    // null stops whatever is playing.
    virtual void PlayWave(const void* wave) = 0;
    // The platform's simple beep.
    virtual void SimpleBeep() = 0;
};

// The real sounds, through winmm and user32.
AboutSound& SystemAboutSound();
