#pragma once
// Waits that stretch with the machine. Where the kernel refuses 32-bit programs, qemu's
// i386 emulator runs Wine and everything takes several times longer; CTest then says by
// how much in QM_TIME_FACTOR (1 when unset). Only waits for something that should happen
// stretch: they end as soon as it does, so a working run loses no time.

#include <windows.h>

// `ms` times the run's time factor.
DWORD ScaledTimeout(DWORD ms);
