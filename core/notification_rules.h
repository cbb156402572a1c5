#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/status_record.h"
#include "settings/settings.h"

namespace norvaket {

struct Balloon {
  std::string title;
  std::string text;
  bool warning = false;
  // Low or empty battery: the one kind a notification server should not let pass unseen.
  bool urgent = false;

  friend bool operator==(const Balloon&, const Balloon&) = default;
};

// The four groups, each at most one balloon. They compare the record before an
// evaluation with the one after it; there is no other memory of what was told.
std::optional<Balloon> LevelRule(const StatusRecord& previous, const StatusRecord& current,
                                 const Settings& settings);
std::optional<Balloon> SwitchRule(const StatusRecord& previous, const StatusRecord& current,
                                  const Settings& settings);
std::optional<Balloon> RemainingTimeRule(const StatusRecord& previous, const StatusRecord& current,
                                         const Settings& settings, const LocalDateTime& now);
std::optional<Balloon> StartRule(const StatusRecord& previous, const StatusRecord& current,
                                 const Settings& settings);

// All due balloons of one evaluation, in the order they are shown.
std::vector<Balloon> NotificationRules(const StatusRecord& previous, const StatusRecord& current,
                                       const Settings& settings, const LocalDateTime& now);

}  // namespace norvaket
