#pragma once
// PackBits rows as published with TIFF 6.0: each row starts with a fresh control byte,
// and a run that would write past the row's end is cut off there.

#include <cstdint>

#include "host/readers/ByteReader.h"

// Decodes one row of rowBytes bytes from the reader's position into row. false when the
// file ended first; the bytes not produced are left as they were.
bool DecodePackBitsRow(ByteReader& reader, std::uint8_t* row, std::uint32_t rowBytes);
