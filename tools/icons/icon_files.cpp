#include "tools/icons/icon_files.h"

#include <fstream>
#include <optional>

#include "resources/icon_painter.h"
#include "resources/ico_writer.h"
#include "resources/png_writer.h"

namespace norvaket::icon_tool {
namespace {

bool WriteBytes(const std::filesystem::path& file, const std::optional<std::vector<std::uint8_t>>& bytes,
                std::string& error) {
  if (!bytes) {
    error = "cannot encode " + file.string();
    return false;
  }
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes->data()), static_cast<std::streamsize>(bytes->size()));
  out.close();
  if (!out) {
    error = "cannot write " + file.string();
    return false;
  }
  return true;
}

}  // namespace

bool WriteHicolorIcons(const std::filesystem::path& hicolor_dir, std::string& error) {
  for (int size : kHicolorSizes) {
    const std::string side = std::to_string(size);
    const std::filesystem::path folder = hicolor_dir / (side + "x" + side) / "apps";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
      error = "cannot create " + folder.string() + ": " + ec.message();
      return false;
    }
    if (!WriteAppPng(size, folder / (std::string(kIconName) + ".png"), error)) return false;
  }
  return true;
}

bool WriteAppIco(const std::filesystem::path& file, std::string& error) {
  std::vector<RgbaImage> images;
  for (int size : kIcoSizes) images.push_back(PaintAppIcon(size));
  return WriteBytes(file, EncodeIco(images), error);
}

bool WriteAppPng(int size, const std::filesystem::path& file, std::string& error) {
  return WriteBytes(file, EncodePng(PaintAppIcon(size)), error);
}

bool WriteTrayPng(std::int32_t icon_id, int size, const std::filesystem::path& file, std::string& error) {
  return WriteBytes(file, EncodePng(PaintTrayIcon(icon_id, size)), error);
}

}  // namespace norvaket::icon_tool
