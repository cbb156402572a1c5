#include "resources/png_writer.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "resources/byte_writer.h"
#include "resources/checksum.h"

namespace norvaket {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgba = 6;
constexpr std::uint8_t kFilterNone = 0;
// zlib header: deflate with a 32 KiB window, no preset dictionary, check bits valid.
constexpr std::uint8_t kZlibCmf = 0x78;
constexpr std::uint8_t kZlibFlags = 0x01;
constexpr std::size_t kMaxStoredBlock = 65535;

void AppendChunk(ByteWriter& out, std::string_view type, std::span<const std::uint8_t> data) {
  out.U32BigEndian(static_cast<std::uint32_t>(data.size()));
  ByteWriter typed;
  for (char c : type) typed.U8(static_cast<std::uint8_t>(c));
  typed.Bytes(data);
  out.Bytes(typed.View());
  out.U32BigEndian(Crc32(typed.View()));
}

// Each row starts with its filter type, then the pixels as they are.
std::vector<std::uint8_t> FilteredRows(const RgbaImage& image) {
  const std::size_t row_bytes = static_cast<std::size_t>(image.width) * 4;
  std::vector<std::uint8_t> rows;
  rows.reserve((row_bytes + 1) * static_cast<std::size_t>(image.height));
  for (int y = 0; y < image.height; ++y) {
    rows.push_back(kFilterNone);
    const auto row = image.pixels.begin() + static_cast<std::ptrdiff_t>(row_bytes * static_cast<std::size_t>(y));
    rows.insert(rows.end(), row, row + static_cast<std::ptrdiff_t>(row_bytes));
  }
  return rows;
}

std::vector<std::uint8_t> StoredZlibStream(std::span<const std::uint8_t> data) {
  ByteWriter out;
  out.U8(kZlibCmf);
  out.U8(kZlibFlags);
  std::span<const std::uint8_t> rest = data;
  do {
    const std::size_t length = std::min(rest.size(), kMaxStoredBlock);
    const bool final_block = length == rest.size();
    out.U8(final_block ? 1 : 0);  // BFINAL, BTYPE 00 = stored
    out.U16LittleEndian(static_cast<std::uint16_t>(length));
    out.U16LittleEndian(static_cast<std::uint16_t>(~length));
    out.Bytes(rest.first(length));
    rest = rest.subspan(length);
  } while (!rest.empty());
  out.U32BigEndian(Adler32(data));
  return out.Take();
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const RgbaImage& image) {
  if (!image.IsWellFormed()) return std::nullopt;
  ByteWriter out;
  out.Bytes(kSignature);

  ByteWriter header;
  header.U32BigEndian(static_cast<std::uint32_t>(image.width));
  header.U32BigEndian(static_cast<std::uint32_t>(image.height));
  header.U8(kBitDepth);
  header.U8(kColourTypeRgba);
  header.U8(0);  // compression: deflate
  header.U8(0);  // filter method: adaptive
  header.U8(0);  // no interlace
  AppendChunk(out, "IHDR", header.View());
  AppendChunk(out, "IDAT", StoredZlibStream(FilteredRows(image)));
  AppendChunk(out, "IEND", {});
  return out.Take();
}

}  // namespace norvaket
