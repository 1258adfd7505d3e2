#include "datafiles/data_import.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "base/format.h"
#include "base/ini.h"
#include "base/sjis.h"

namespace vosk::datafiles {

namespace fs = std::filesystem;

namespace {

constexpr const char* kImportQuestion = "データ自動インポートを行います。よろしいですか？";
constexpr const char* kLoadQuestion = "ダイヤデータを読み込みます。よろしいですか？";
constexpr const char* kRefusedGoOn = "この形式は受付できません。続けますか？";
constexpr const char* kRefused = "この形式は受付できません。";
constexpr const char* kNotFound = "ファイル'%s'が見つかりません。\n";
constexpr const char* kOutside = "ファイル'%s'はデータフォルダの外を指しています。\n";
constexpr const char* kExists = "ファイル'%s'は、既に存在します。\n";
constexpr const char* kExistsCaption = "ファイル存在エラー";
constexpr const char* kOverwrite = "ファイル'%s'を上書きします。\nよろしいですか？\n";
constexpr const char* kOverwriteCaption = "ファイル上書き確認";
constexpr const char* kCannotWrite = "書き込みファイル'%s'は開けませんでした。\n";
constexpr const char* kFinished =
    "インポートが終了しました。\n\nインポートに成功したファイル数：%d\n"
    "インポートに失敗・中止したファイル数：%d\nインポートの前から存在したファイル数：%d\n";
constexpr const char* kFinishedCaption = "インポート終了";
constexpr const char* kListSection = "ファイルリスト";

constexpr std::array<ImportFolder, 5> kSoundFolders{{
    {"発車メロディ", "station"},
    {"ドア開け音", "open"},
    {"ドア閉め音", "close"},
    {"ＡＴＣ音", "atc"},
    {"警告音", "warning"},
}};
constexpr std::array<ImportFolder, 2> kPictureFolders{{
    {"形式写真", "image"},
    {"形式アイコン", "image16"},
}};

bool extension_is(std::string_view path, std::string_view wanted) {
  if (path.size() < wanted.size()) return false;
  const std::string_view ext = path.substr(path.size() - wanted.size());
  for (std::size_t i = 0; i < ext.size(); ++i) {
    const char c = ext[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    if (lower != wanted[i]) return false;
  }
  return true;
}

// A listed path (CP932, "\" or "/" between the parts) as a relative path
// for this file system; nullopt when it is absolute or climbs out with "..".
std::optional<fs::path> listed_path(std::string_view cp932) {
  std::string parts;
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(cp932[i]);
    if (sjis::is_lead_byte(c) && i + 1 < cp932.size()) {
      parts += cp932.substr(i, 2);  // a trail byte may be 0x5C: not a separator
      ++i;
    } else {
      parts += c == '\\' ? '/' : static_cast<char>(c);
    }
  }
  const fs::path path = fs::path(sjis::to_utf8_lossy(parts)).lexically_normal();
  if (path.empty() || path.is_absolute() || path.has_root_name() || path.has_root_directory())
    return std::nullopt;
  for (const fs::path& part : path)
    if (part == "..") return std::nullopt;
  return path;
}

bool readable(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) return false;
  std::ifstream in(file, std::ios::binary);
  return in.good();
}

bool same_file_data(const fs::path& a, const fs::path& b) {
  std::error_code ec1, ec2, ec3, ec4;
  const auto size_a = fs::file_size(a, ec1), size_b = fs::file_size(b, ec2);
  const auto time_a = fs::last_write_time(a, ec3), time_b = fs::last_write_time(b, ec4);
  return !ec1 && !ec2 && !ec3 && !ec4 && size_a == size_b && time_a == time_b;
}

// Copies replacing the destination and keeps the source's last-write time,
// so that the same list imported again finds its files present.
bool copy_replacing(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::create_directories(to.parent_path(), ec);
  ec.clear();
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec) return false;
  const auto when = fs::last_write_time(from, ec);
  if (!ec) fs::last_write_time(to, when, ec);
  return true;
}

}  // namespace

DroppedKind dropped_kind(std::string_view path) {
  // Only the name counts: a folder called "x.qvw/" holds no extension.
  const std::string name = fs::path(path).filename().string();
  if (extension_is(name, ".qvw")) return DroppedKind::Dia;
  if (extension_is(name, ".dia")) return DroppedKind::WinDia;
  if (extension_is(name, ".qvi")) return DroppedKind::ImportList;
  if (extension_is(name, ".wav")) return DroppedKind::Sound;
  if (extension_is(name, ".bmp")) return DroppedKind::Picture;
  return DroppedKind::Other;
}

std::span<const ImportFolder> import_folders(DroppedKind kind) {
  if (kind == DroppedKind::Sound) return kSoundFolders;
  if (kind == DroppedKind::Picture) return kPictureFolders;
  return {};
}

fs::path dropped_file_destination(const fs::path& data_folder, DroppedKind kind,
                                  const ImportFolder& folder, const fs::path& file) {
  const fs::path below = kind == DroppedKind::Sound ? data_folder / "sound" : data_folder;
  return below / folder.folder / file.filename();
}

ImportCounts import_listed_files(const fs::path& list, const fs::path& data_folder,
                                 Prompt& prompt) {
  ImportCounts counts;
  const ini::Document doc = ini::Document::load_or_empty(list);
  const std::string section = sjis::from_utf8_lossy(kListSection);
  const fs::path source_folder = list.parent_path();
  bool told_present = false;
  for (int k = 0; k <= 99; ++k) {
    const std::string key = format("%02d", k);
    const std::string value = doc.get_string(section, key, "");
    if (value.empty()) continue;
    const std::string shown = sjis::to_utf8_lossy(value);
    const std::optional<fs::path> relative = listed_path(value);
    if (!relative) {
      prompt.tell(caption::kReadError, format(kOutside, shown.c_str()));
      ++counts.failed;
      continue;
    }
    const fs::path from = source_folder / *relative;
    const fs::path to = data_folder / *relative;
    if (!readable(from)) {
      prompt.tell(caption::kReadError, format(kNotFound, from.string().c_str()));
      ++counts.failed;
      continue;
    }
    std::error_code ec;
    if (fs::exists(to, ec)) {
      if (same_file_data(from, to)) {
        ++counts.present;
        if (!told_present) prompt.tell(kExistsCaption, format(kExists, to.string().c_str()));
        told_present = true;
        continue;
      }
      if (prompt.ask(kOverwriteCaption, format(kOverwrite, to.string().c_str()), Buttons::YesNo) !=
          Answer::Yes) {
        ++counts.failed;
        continue;
      }
    }
    if (copy_replacing(from, to)) {
      ++counts.copied;
    } else {
      ++counts.failed;
    }
  }
  prompt.tell(kFinishedCaption, format(kFinished, counts.copied, counts.failed, counts.present));
  return counts;
}

void accept_dropped_files(const std::vector<std::string>& paths, const fs::path& data_folder,
                          Prompt& prompt, const DropHandlers& handlers) {
  std::optional<std::size_t> sound_choice, picture_choice;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const std::string& path = paths[i];
    const bool more = i + 1 < paths.size();
    const DroppedKind kind = dropped_kind(path);
    switch (kind) {
      case DroppedKind::Dia:
      case DroppedKind::WinDia: {
        if (prompt.ask(kDropCaption, kLoadQuestion, Buttons::YesNo) == Answer::Yes) {
          const auto& handler =
              kind == DroppedKind::Dia ? handlers.open_dia : handlers.import_windia;
          if (handler) handler(path);
        }
        return;
      }
      case DroppedKind::ImportList: {
        const Answer answer = prompt.ask(kDropCaption, kImportQuestion, Buttons::YesNoCancel);
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) import_listed_files(path, data_folder, prompt);
        break;
      }
      case DroppedKind::Sound:
      case DroppedKind::Picture: {
        std::optional<std::size_t>& choice =
            kind == DroppedKind::Sound ? sound_choice : picture_choice;
        const auto folders = import_folders(kind);
        if (!choice) choice = handlers.choose_folder ? handlers.choose_folder(kind) : std::nullopt;
        if (!choice || *choice >= folders.size()) return;
        const fs::path to = dropped_file_destination(data_folder, kind, folders[*choice], path);
        if (!copy_replacing(path, to))
          prompt.tell(caption::kWriteError, format(kCannotWrite, to.string().c_str()));
        break;
      }
      case DroppedKind::Other:
        if (!more) {
          prompt.tell(kDropCaption, kRefused);
        } else if (prompt.ask(kDropCaption, kRefusedGoOn, Buttons::YesNo) != Answer::Yes) {
          return;
        }
        break;
    }
  }
}

}  // namespace vosk::datafiles
