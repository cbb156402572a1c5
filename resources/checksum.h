#pragma once

#include <cstdint>
#include <span>

namespace norvaket {

// CRC-32 as PNG chunks carry it (ISO 3309, reflected polynomial 0xEDB88320).
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

// Adler-32 as the zlib stream inside PNG carries it.
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

}  // namespace norvaket
