#pragma once
// Whether a TIFF file holds the picture its first directory announces, from the strip or
// tile table alone, before anything is decoded or allocated for the picture.

#include <cstdint>
#include <optional>
#include <string>

#include <tiffio.h>

// The most bytes one stored byte of compression can decode to: 1 uncompressed, 64
// PackBits, 1032 Deflate, 3413 LZW (a code of at least 9 bits gives at most 3839 bytes),
// one byte's worth of rows (8) for the fax codings, which spend at least a bit on a row;
// 65536 for the codings that have no such floor (JPEG with arithmetic coding, LZMA, ZSTD,
// WebP, JBIG, ...), and at most that for any: a larger claim is refused as a file too
// short for its picture.
// scanlineBytes: the decoded bytes of one row.
std::uint64_t MostBytesPerStoredByte(std::uint16_t compression, std::uint64_t scanlineBytes);

// Why tiff's strips or tiles cannot hold its picture in a file of fileBytes: one of them is
// missing (no bytes), lies past the end of the file, or has fewer bytes than its rows can be
// decoded from; or all of them need more than the whole file can give (strips that point at
// the same bytes). Nothing when they can.
std::optional<std::string> TiffStorageProblem(TIFF* tiff, std::uint64_t fileBytes);
