#include "ui/app_info.h"

#include "base/format.h"

namespace vosk::ui {

const char* app_version() { return VOSK_VERSION; }

std::string help_page_url(const std::string& page) {
  return format("%s/cgi-bin/help_receive.cgi?app=%s&from=soft&soft=%s&beta=%04d&mode=%s",
                kHelpServer, kAppCode, kProductCode, 1, page.c_str());
}

std::string about_text(bool english) {
  return format(english ? "%s\nVersion %s" : "%s\nバージョン %s", kAppTitle, app_version());
}

}  // namespace vosk::ui
