#include "options/options_controls.h"

namespace norvaket {

std::string_view ControlName(OptionsCheckBox box) {
  switch (box) {
    case OptionsCheckBox::chkNotifyAtRun:
      return "chkNotifyAtRun";
    case OptionsCheckBox::chkNotifyAtResume:
      return "chkNotifyAtResume";
    case OptionsCheckBox::chkNotifyLifePercentAtRun:
      return "chkNotifyLifePercentAtRun";
    case OptionsCheckBox::chkNotifyPS0:
      return "chkNotifyPS0";
    case OptionsCheckBox::chkNotifyPS1:
      return "chkNotifyPS1";
    case OptionsCheckBox::chkNotifyPS2:
      return "chkNotifyPS2";
    case OptionsCheckBox::chkNotifyRT:
      return "chkNotifyRT";
    case OptionsCheckBox::chkNotifyCV0:
      return "chkNotifyCV0";
    case OptionsCheckBox::chkNotifyCV2:
      return "chkNotifyCV2";
    case OptionsCheckBox::chkNotifyCV4:
      return "chkNotifyCV4";
    case OptionsCheckBox::chkUseTimeStamp:
      return "chkUseTimeStamp";
    case OptionsCheckBox::chkAutoRun:
      return "chkAutoRun";
  }
  return {};
}

std::string_view ControlName(OptionsValueBox box) {
  switch (box) {
    case OptionsValueBox::txtCV2Value:
      return "txtCV2Value";
    case OptionsValueBox::txtCV0Value:
      return "txtCV0Value";
  }
  return {};
}

}  // namespace norvaket
