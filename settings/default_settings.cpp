#include "settings/settings.h"

namespace norvaket {

Settings DefaultSettings() {
  Settings s;
  s.NotifyAtRun = kTrue;
  s.NotifyAtResume = kTrue;
  s.NotifyLifePercent = kFalse;
  s.NotifyLifePercentAtRun = kFalse;
  s.NotifyPS0 = kTrue;
  s.NotifyPS1 = kFalse;
  s.NotifyPS2 = kFalse;
  s.NotifyRT = kTrue;
  s.NotifyCV0 = kFalse;
  s.NotifyCV1 = kFalse;
  s.NotifyCV2 = kTrue;
  s.NotifyCV4 = kTrue;
  s.NotifyCV0Value = 80;
  s.NotifyCV2Value = 20;
  s.UseTimeStamp = kFalse;
  s.UpdateInterval = 1000;
  return s;
}

}  // namespace norvaket
