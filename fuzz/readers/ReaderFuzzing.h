#pragma once
// One fuzzing step per reader: the input is read as a whole file, and whatever the reader
// accepts is built into a HostImage and converted to gray. Shared by the libFuzzer
// targets and by the replay test that runs the seed corpus in plain builds.

#include <cstddef>
#include <cstdint>

int FuzzBmpReaders(const std::uint8_t* data, std::size_t size);
int FuzzTiffReader(const std::uint8_t* data, std::size_t size);
