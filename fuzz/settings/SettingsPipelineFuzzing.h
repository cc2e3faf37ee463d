#pragma once
// One fuzzing step for decoded settings on their way through the whole core: the input is
// read as an INI text and, when it is one, as a settings file; the values are applied as the
// plug-in applies them, and a small picture made from the same bytes (at most 64 x 64) goes
// through PictureMesh, the three preview styles and every writer into memory. Aborts when a
// promise breaks: a point, a bound or a written DXF number that is not finite, a patch
// outside the written file, an export that neither writes nor refuses by its limit. Shared
// by the libFuzzer target and the replay test of its seed corpus.

#include <cstddef>
#include <cstdint>

int FuzzSettingsPipeline(const std::uint8_t* data, std::size_t size);
