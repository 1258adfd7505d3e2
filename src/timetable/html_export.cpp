#include "timetable/html_export.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "base/sjis.h"
#include "base/text_file.h"
#include "base/time_text.h"

namespace vosk::timetable {

namespace {

const std::string& down_mark() {
  static const std::string s = sjis::from_utf8_lossy("（下り）");
  return s;
}
const std::string& up_mark() {
  static const std::string s = sjis::from_utf8_lossy("（上り）");
  return s;
}

std::string hex_colour(const Colour& c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c.red, c.green, c.blue);
  return buf;
}

const map::Target* target_at(const datafiles::DataSet& ds, int n) {
  return n > 0 && n <= ds.map.targets.extent() ? &ds.map.targets[n] : nullptr;
}

std::string destination_label(const datafiles::DataSet& ds, const dia::Diagram& d) {
  if (const map::Target* t = target_at(ds, d.destination))
    if (d.destination_text == t->short_name) return t->one_char_name;
  return d.destination_text;
}

class HtmlWriter {
 public:
  HtmlWriter(const datafiles::DataSet& ds, const HtmlOptions& options) : ds_(ds), o_(options) {}

  void open_hour(int hour) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d\n", hour);
    out_ += "<TR>\n<TH>\n";
    out_ += buf;
    out_ += "</TH>\n<TD ALIGN=\"left\">\n";
    if (o_.detailed) out_ += "<TABLE HSPACE=0 VSPACE=0 CELLPADDING=0 CELLSPACING=1><TR>";
  }

  void close_hour() {
    if (o_.detailed) out_ += "</TR></TABLE>";
    out_ += "\n</TD>\n</TR>\n";
  }

  void departure(const Departure& dep) {
    const dia::Diagram& d = ds_.dia.diagrams[dep.run];
    const int mark = d.run.search_kind;
    const bool marked = mark >= 1 && mark <= 3;
    if (o_.detailed) {
      if (marked) {
        out_ += "<TD BGCOLOR=\"" + hex_colour(mark == 1 ? o_.direct : o_.change) + "\">";
      } else {
        out_ += "<TD>";
      }
    } else if (marked) {
      out_ += "<B>";
    }
    const auto& types = ds_.classification.train_types;
    Colour colour{};
    std::string type_label;
    if (d.train_type >= 0 && d.train_type <= types.extent()) {
      const dia::TrainType& t = types[d.train_type];
      colour = {t.red, t.green, t.blue};
      type_label = t.letter_name;
    }
    out_ += "<FONT COLOR=\"" + hex_colour(colour) + "\">";
    const std::string dest = destination_label(ds_, d);
    auto type = [&](int pos) {
      if (o_.type_pos == pos) label(type_label, o_.small_type);
    };
    auto dest_at = [&](int pos) {
      if (o_.for_pos == pos) label(dest, o_.small_for);
    };
    type(kAbove);
    dest_at(kAbove);
    if (o_.type_pos == kAbove || o_.for_pos == kAbove) out_ += "<BR>";
    type(kLeft);
    dest_at(kLeft);
    char minutes[8];
    std::snprintf(minutes, sizeof minutes, "%02d", dep.time / 60 % 60);
    out_ += minutes;
    type(kRight);
    dest_at(kRight);
    if (o_.type_pos == kBelow || o_.for_pos == kBelow) out_ += "<BR>";
    type(kBelow);
    dest_at(kBelow);
    out_ += "</FONT>";
    if (o_.detailed) {
      out_ += "</TD>";
    } else {
      if (marked) out_ += "</B>";
      out_ += " ";
    }
  }

  std::string& text() { return out_; }

 private:
  void label(const std::string& s, bool small) {
    if (small) {
      out_ += "<SMALL>" + s + "</SMALL>";
    } else {
      out_ += s;
    }
  }

  const datafiles::DataSet& ds_;
  const HtmlOptions& o_;
  std::string out_;
};

// Written in place in text mode, replacing an older file of the name; a
// copy beside it would only cost time for a file the user can write again.
// Null on success, else the end of the message.
const char* write_html_file(const std::filesystem::path& file, const std::string& text) {
  std::FILE* f = std::fopen(file.c_str(), "wb");
  if (!f) return "は開けませんでした。\n";
  const std::string bytes = textfile::to_disk_mode(text);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if (std::fclose(f) != 0 || !written) return "は閉じられませんでした。\n";
  return nullptr;
}

bool valid_position(int p) { return p >= kNone && p <= kRight; }

}  // namespace

std::vector<std::vector<Departure>> departures_by_target(const datafiles::DataSet& ds,
                                                         const std::vector<int>& runs) {
  const int targets = ds.map.targets.extent();
  std::vector<std::vector<Departure>> lists(static_cast<std::size_t>(targets) + 1);
  std::vector<int> listed(lists.size(), 0);  // the run last listed at each target
  for (int n : runs) {
    const dia::Diagram& d = ds.dia.diagrams[n];
    const std::size_t count = d.event_count();
    for (std::size_t e = 0; e < count; ++e) {
      const dia::DiaEvent& ev = d.events[e];
      if (ev.type != dia::kEventStop || ev.rail <= 0 || ev.rail > ds.map.rails.extent()) continue;
      const int t = ds.map.rails[ev.rail].target;
      if (t <= 0 || t > targets || listed[t] == n) continue;
      listed[t] = n;
      lists[t].push_back({n, timetext::order_key(ev.time)});
    }
  }
  for (auto& list : lists)
    std::sort(list.begin(), list.end(), [](const Departure& a, const Departure& b) {
      return a.time != b.time ? a.time < b.time : a.run < b.run;
    });
  return lists;
}

std::vector<Departure> departures_at(const datafiles::DataSet& ds, const std::vector<int>& runs,
                                     int target) {
  auto lists = departures_by_target(ds, runs);
  if (target <= 0 || target >= static_cast<int>(lists.size())) return {};
  return std::move(lists[target]);
}

std::string station_html(const datafiles::DataSet& ds, int target, bool down,
                         const std::vector<Departure>& departures, const HtmlOptions& options) {
  HtmlWriter w(ds, options);
  std::string& out = w.text();
  const map::Target* t = target_at(ds, target);
  out += "<HTML>\n<BODY>\n<TABLE BORDER>\n<TR>\n<TH COLSPAN=2>\n";
  out += (t ? t->name : std::string()) + (down ? down_mark() : up_mark()) + "\n";
  out += "</TH>\n</TR>\n";
  int hour = -1;
  for (const Departure& dep : departures) {
    if (dep.time / 3600 != hour) {
      if (hour >= 0) w.close_hour();
      hour = dep.time / 3600;
      w.open_hour(hour);
    }
    w.departure(dep);
  }
  if (hour >= 0) w.close_hour();
  out += "</TABLE>\n</BODY>\n</HTML>\n";
  return std::move(out);
}

std::string html_file_name(const datafiles::DataSet& ds, int target, bool down) {
  const map::Target* t = target_at(ds, target);
  std::string name = sjis::to_utf8_lossy(t ? t->name : std::string());
  // A name is not a path: a separator in it would write outside the folder.
  std::replace(name.begin(), name.end(), '/', '_');
  if (name == "." || name == "..") name = "_";
  return name + (down ? "（下り）.htm" : "（上り）.htm");
}

ExportResult export_station_html(const datafiles::DataSet& ds, const Timetables& tables,
                                 const std::filesystem::path& folder, const HtmlOptions& options,
                                 Prompt& prompt) {
  ExportResult result;
  for (bool down : {true, false}) {
    const Table& table = down ? tables.down : tables.up;
    const auto departures = departures_by_target(ds, table.runs);
    for (int target : table.stations) {
      const std::filesystem::path file = folder / html_file_name(ds, target, down);
      const std::string text = station_html(ds, target, down, departures[target], options);
      if (const char* failure = write_html_file(file, text)) {
        prompt.tell(caption::kWriteError, "書き込みファイル'" + file.string() + "'" + failure);
        result.ok = false;
        return result;
      }
      ++result.files;
    }
  }
  return result;
}

HtmlOptions read_export_settings(const ini::Document& settings) {
  constexpr const char* s = "StationTimeTable";
  HtmlOptions o;
  o.detailed = settings.get_int(s, "DoubleTable", 0) != 0;
  o.small_type = settings.get_int(s, "SmallFontType", 1) != 0;
  o.small_for = settings.get_int(s, "SmallFontFor", 1) != 0;
  o.type_pos = settings.get_int(s, "ViewTypePos", kNone);
  o.for_pos = settings.get_int(s, "ViewForPos", kNone);
  // The dialog has five buttons; anything else shows no label.
  if (!valid_position(o.type_pos)) o.type_pos = kNone;
  if (!valid_position(o.for_pos)) o.for_pos = kNone;
  return o;
}

void write_export_settings(const HtmlOptions& o, ini::Document& settings) {
  constexpr const char* s = "StationTimeTable";
  settings.set_flag(s, "DoubleTable", o.detailed);
  settings.set_flag(s, "SmallFontType", o.small_type);
  settings.set_flag(s, "SmallFontFor", o.small_for);
  settings.set_int(s, "ViewTypePos", o.type_pos);
  settings.set_int(s, "ViewForPos", o.for_pos);
}

bool accept_export_dialog(ExportDialog& dialog, Prompt& prompt) {
  while (dialog.folder.size() > 1 && (dialog.folder.back() == '\\' || dialog.folder.back() == '/'))
    dialog.folder.pop_back();
  const HtmlOptions& o = dialog.options;
  auto above_or_below = [](int p) { return p == kAbove || p == kBelow; };
  // Refused before the folder is made, so that a refusal leaves nothing behind.
  if (!o.detailed && (above_or_below(o.type_pos) || above_or_below(o.for_pos))) {
    prompt.tell("選択不可", "上下に種別や行先を表示する場合は、詳細表示を選択する必要があります。");
    return false;
  }
  std::error_code ec;
  if (std::filesystem::is_directory(dialog.folder, ec)) return true;
  if (prompt.ask("フォルダ作成確認",
                 "指定されたフォルダは存在しません。\n新規に作成します。\nよろしいですか？\n",
                 Buttons::YesNo) != Answer::Yes)
    return false;
  std::filesystem::create_directories(dialog.folder, ec);
  if (ec || !std::filesystem::is_directory(dialog.folder, ec)) {
    prompt.tell("フォルダ作成失敗", "フォルダが作成できませんでした。");
    return false;
  }
  return true;
}

}  // namespace vosk::timetable
