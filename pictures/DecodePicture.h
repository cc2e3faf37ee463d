#pragma once
// The pictures the host's readers do not take: chosen by their first bytes (PNG, JPEG) or
// because the host's TIFF reader refused them, decoded into the 8-bit image the host would
// hold and, for more than 8 bits a sample, the 16-bit gray levels.

#include <memory>
#include <optional>
#include <string>

#include "host/image/HostImage.h"
#include "pictures/PictureDecoder.h"
#include "pictures/WideGray.h"
#include "toolbase/CliFailure.h"

enum class PictureKind { kPng, kJpeg, kOther };

// By the file's first bytes: the PNG signature, or FF D8 FF for JPEG.
PictureKind PictureKindOf(const std::string& path);

// The decoder for path, which is kPng, kJpeg, or a TIFF file (kOther). Check its Why().
// maxImageBytes: see PictureDecoder.
std::unique_ptr<PictureDecoder> MakeDecoder(PictureKind kind, const std::string& path,
                                            std::uint64_t maxImageBytes = kMaxImageBytes);

// Builds the host's image from source, as the host does. Exit code 2, naming name, when
// the memory cannot be had.
StepResult BuildHostImage(ImageSource& source, const std::string& name,
                          std::unique_ptr<HostImage>& image);

// Builds image (and wide, for a wide picture) from a decoder made without a refusal. Exit
// code 2, naming path, when the file fails part way or the memory cannot be had.
StepResult BuildDecoded(PictureDecoder& decoder, const std::string& path, bool alphaHoles,
                        std::unique_ptr<HostImage>& image, std::optional<WideGray>& wide);
