// Window events for the window layer's own tests: each message is written as
// a line ("init", "click 400 170", "key F10 alt", "timer 1", "media aborted",
// "close") and can run a reaction the test sets.
#pragma once

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/window/window_events.h"

namespace brisolt::platform {

class RecordingWindowEvents : public WindowEvents {
 public:
  std::vector<std::string> got;
  std::function<void()> onInit;
  std::function<void(int, int)> onClick;
  std::function<void(TimerId)> onTick;
  std::function<void()> onMedia;

  void onInitDialog() override {
    got.push_back("init");
    if (onInit) onInit();
  }
  void onLeftButtonDown(int x, int y) override {
    got.push_back("click " + std::to_string(x) + " " + std::to_string(y));
    if (onClick) onClick(x, y);
  }
  void onKeyDown(KeyPress key) override {
    std::ostringstream line;
    line << "key " << key.key << (key.alt ? " alt" : "");
    got.push_back(line.str());
  }
  void onTimer(TimerId timer) override {
    got.push_back("timer " + std::to_string(timer.value));
    if (onTick) onTick(timer);
  }
  void onMediaNotification(MediaNotification flag) override {
    std::ostringstream line;
    line << "media " << flag;
    got.push_back(line.str());
    if (onMedia) onMedia();
  }
  void onCloseRequest() override { got.push_back("close"); }
};

}  // namespace brisolt::platform
