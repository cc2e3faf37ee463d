#pragma once
// One fuzzing step per reader: the input is read as a whole file, and whatever the reader
// accepts is built into a HostImage and converted to gray. Shared by the libFuzzer
// targets and by the replay test that runs the seed corpus in plain builds.

#include <cstddef>
#include <cstdint>

int FuzzBmpReaders(const std::uint8_t* data, std::size_t size);
int FuzzTiffReader(const std::uint8_t* data, std::size_t size);
// A BMP or TIFF file (chosen by its first bytes, as the host does) shown on an 8-bit
// screen: 24-bit pictures go through the median-cut display palette before the gray steps.
int FuzzPaletteScreen(const std::uint8_t* data, std::size_t size);
