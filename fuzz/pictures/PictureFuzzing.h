#pragma once
// The fuzzing step of the command-line tool's picture decoders (PNG, JPEG, the TIFFs for
// libtiff): the input goes through each of them, and whatever one takes is built into the
// picture the tool meshes, with and without alpha holes, and made gray and inverted.
// Shared by the libFuzzer target and by the replay test that runs the seed corpus.

#include <cstddef>
#include <cstdint>

int FuzzPictureDecoders(const std::uint8_t* data, std::size_t size);
