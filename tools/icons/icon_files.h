#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace norvaket::icon_tool {

// Sizes of the program icon in the freedesktop hicolor theme and in the Windows .ico.
inline const std::vector<int> kHicolorSizes = {16, 22, 24, 32, 48, 64, 128, 256};
inline const std::vector<int> kIcoSizes = {16, 20, 24, 32, 48, 64, 256};
inline constexpr const char* kIconName = "norvaket";

// Each function reports a failure in `error` and returns false.

// <hicolor_dir>/<n>x<n>/apps/norvaket.png for every hicolor size.
bool WriteHicolorIcons(const std::filesystem::path& hicolor_dir, std::string& error);
bool WriteAppIco(const std::filesystem::path& file, std::string& error);
bool WriteAppPng(int size, const std::filesystem::path& file, std::string& error);
bool WriteTrayPng(std::int32_t icon_id, int size, const std::filesystem::path& file, std::string& error);

}  // namespace norvaket::icon_tool
