// CBrisoltApp: the application. It makes the main window's logic, runs the
// dialog modally and closes it down; the program ends with the dialog.
#pragma once

#include "app/window/brisolt_dlg.h"

namespace brisolt {

class CBrisoltApp {
 public:
  explicit CBrisoltApp(DialogServices services) : services_(std::move(services)) {}

  // The dialog's result (1 after EXIT, 2 after the close box).
  int initInstance();

 private:
  DialogServices services_;
};

}  // namespace brisolt
