#include "datafiles/document_state.h"

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::datafiles {

std::string window_title(const std::string& app_title, const std::string& dia_title,
                         const DocumentState& state, bool english, int speed) {
  std::string file = "  " + state.file_title;
  const char* edited = state.edited ? (english ? "(Edited)" : "（更新）") : "";
  std::string speed_mark;
  if (speed > 1) speed_mark = english ? format("  %dx", speed) : format("  %d倍速", speed);
  std::string dia = sjis::to_utf8_lossy(dia_title);
  return english ? format("%s  <%s>%s%s%s%s", app_title.c_str(), dia.c_str(), file.c_str(), edited,
                          "", speed_mark.c_str())
                 : format("%s  ＜%s＞%s%s%s%s", app_title.c_str(), dia.c_str(), file.c_str(),
                          edited, "", speed_mark.c_str());
}

std::string point_key_title(const std::string& clock, const std::string& typed_key) {
  std::string prefix = clock.empty() ? "" : clock + " / ";
  return format("%s入力ポイントキー：%s", prefix.c_str(), typed_key.c_str());
}

}  // namespace vosk::datafiles
