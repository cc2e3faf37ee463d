#pragma once
// The native ResourceBytes: files compiled in by qm_embed_resources (cmake/Embed.cmake).

#include "common/ResourceBytes.h"

class EmbeddedResources final : public ResourceBytes {
  public:
    std::span<const std::uint8_t> Find(std::string_view name) const override;
};
