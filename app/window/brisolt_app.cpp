// CBrisoltApp: the application.
#include "app/window/brisolt_app.h"

namespace brisolt {

int CBrisoltApp::initInstance() {
  CBrisoltDlg dialog(services_);
  const int result = dialog.runModal();
  dialog.destroyWindow();
  return result;
}

}  // namespace brisolt
