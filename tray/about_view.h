#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace norvaket {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kLinkColour{0, 0, 255};
// A clicked link keeps this colour until the box closes.
inline constexpr Rgb kVisitedLinkColour{136, 0, 136};

// The about box's controls as its presenter sees them: a Qt dialog, a Win32
// dialog or a fake. Links are numbered 0 (web) and 1 (mail).
class AboutView {
 public:
  virtual ~AboutView() = default;
  virtual void SetCaption(const std::string& text) = 0;
  virtual void SetVersionText(const std::string& text) = 0;
  virtual void SetTitleText(const std::string& text) = 0;
  virtual void SetDescriptionText(const std::string& text) = 0;
  virtual void CopyMainWindowIcon() = 0;
  virtual void SetLinkCaption(std::size_t link, const std::string& text) = 0;
  virtual void SetLinkColour(std::size_t link, Rgb colour) = 0;
  // Lets the new link colour paint before the desktop takes its time to open the link.
  virtual void ProcessPendingEvents() = 0;
  virtual void CloseDialog() = 0;
};

}  // namespace norvaket
