// Holds the installed message pump.
#include "platform/message_pump.h"

#include <utility>

namespace brisolt::platform {
namespace {
std::function<void()>& installedPump() {
  static std::function<void()> pump;
  return pump;
}
}  // namespace

void setMessagePump(std::function<void()> pump) { installedPump() = std::move(pump); }

void pumpOneMessage() {
  if (auto& pump = installedPump()) pump();
}

}  // namespace brisolt::platform
