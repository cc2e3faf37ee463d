#pragma once
// One fuzzing step of the solid and triangle path: the input is decoded into a small picture
// and a command line (SolidCase), the tool is run on them as a user would run it, and the
// file it writes is read back and held to the tool's promises (SolidOracle). Aborts, after
// saying why on stderr, when a promise breaks, the file does not parse back, or the tool
// fails in a way a valid picture and valid options never should (exit code 2 or 4). Shared
// by the libFuzzer target and the replay test of its seeds and findings.

#include <cstddef>
#include <cstdint>

int FuzzSolid(const std::uint8_t* data, std::size_t size);
