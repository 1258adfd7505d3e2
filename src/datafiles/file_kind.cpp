#include "datafiles/file_kind.h"

#include <cctype>

namespace vosk::datafiles {

FileKind kind_of(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".qvw") return FileKind::DiaQvw;
  if (ext == ".qvb") return FileKind::DiaQvb;
  if (ext == ".qvp") return FileKind::OldDia;
  if (ext == ".qve") return FileKind::Executed;
  return FileKind::Header;
}

bool is_packed(FileKind kind) {
  return kind == FileKind::DiaQvw || kind == FileKind::DiaQvb || kind == FileKind::Executed;
}

std::string file_title_of(const std::filesystem::path& path) { return path.stem().string(); }

const char* qvw_filter(bool english) {
  return english ? "Dia Data(*.qvw)|*.qvw||" : "ダイヤデータ(*.qvw)|*.qvw||";
}

const char* qvb_filter(bool english) {
  return english ? "Dia Data(*.qvb)|*.qvb|Old Dia Data(*.qvp)|*.qvp||"
                 : "ダイヤデータ(*.qvb)|*.qvb|旧ダイヤデータ(*.qvp)|*.qvp||";
}

const char* qve_filter(bool english) {
  return english ? "Executed Data(*.qve)|*.qve||" : "実行中データ(*.qve)|*.qve||";
}

}  // namespace vosk::datafiles
