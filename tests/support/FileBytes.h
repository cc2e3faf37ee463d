#pragma once
// Whole files as bytes or text, for tests.

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes; empty when it cannot be read.
std::vector<std::uint8_t> ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
