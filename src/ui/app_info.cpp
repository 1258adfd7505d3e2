#include "ui/app_info.h"

#include "base/format.h"

namespace vosk::ui {

const char* app_version() { return VOSK_VERSION; }

std::string about_text(bool english) {
  return format(english ? "%s\nVersion %s" : "%s\nバージョン %s", kAppTitle, app_version());
}

}  // namespace vosk::ui
