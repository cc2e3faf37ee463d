#pragma once
// One fuzzing step for the settings codecs: the input is decoded as a settings file and
// parsed as an INI text, and what comes out is pushed through the rest of the parameter
// code, checking its promises (aborting when one breaks). Shared by the libFuzzer target
// and by the replay test that runs the seed corpus in plain builds.

#include <cstddef>
#include <cstdint>

int FuzzSettings(const std::uint8_t* data, std::size_t size);
