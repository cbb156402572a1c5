#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace norvaket {

// Appends fixed-width integers to a byte buffer in the byte order a file format asks for.
class ByteWriter {
 public:
  void U8(std::uint8_t value) { bytes_.push_back(value); }
  void U16LittleEndian(std::uint16_t value) {
    U8(static_cast<std::uint8_t>(value));
    U8(static_cast<std::uint8_t>(value >> 8));
  }
  void U32LittleEndian(std::uint32_t value) {
    U16LittleEndian(static_cast<std::uint16_t>(value));
    U16LittleEndian(static_cast<std::uint16_t>(value >> 16));
  }
  void U32BigEndian(std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) U8(static_cast<std::uint8_t>(value >> shift));
  }
  // WORKAROUND: GCC 12 at -O2 reports a bogus -Wstringop-overflow for
  // vector::insert of a span here (seen in the mingw-w64 build); copying byte by
  // byte after one reserve costs nothing at icon sizes.
  void Bytes(std::span<const std::uint8_t> bytes) {
    bytes_.reserve(bytes_.size() + bytes.size());
    for (std::uint8_t byte : bytes) bytes_.push_back(byte);
  }

  std::size_t Size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& View() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace norvaket
