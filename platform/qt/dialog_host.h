#pragma once

namespace norvaket::qt {

// Opens and closes the options dialog and the about box for the tray program.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Each opens its dialog, or brings it forward when it is already open.
  virtual void OpenOptions() = 0;
  virtual void OpenAbout() = 0;
  virtual bool OptionsOpen() const = 0;
  // True while either dialog is open.
  virtual bool DialogOpen() const = 0;
  virtual void CloseOptions() = 0;
  virtual void CloseAbout() = 0;
};

}  // namespace norvaket::qt
