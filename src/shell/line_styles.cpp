#include "shell/line_styles.h"

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::shell {
namespace {

struct BuiltinLine {
  int id, for_line, pen_style, point_width, red, green, blue;
  const char* item_name;  // UTF-8 here, CP932 in the entry
};

constexpr BuiltinLine kMainWindowLines[] = {
    {17, 0, 0, 250, 255, 255, 255, "ジャンプ文字"},
    {18, 0, 0, 250, 0, 0, 0, "駅描画－文字色"},
    {19, 0, 0, 250, 128, 128, 128, "駅描画－背景色"},
    {20, 1, 2, 250, 255, 255, 255, "列番強調表示－乗車列車"},
    {21, 1, 2, 250, 128, 128, 128, "列番強調表示－追従列車"},
    {0, 0, 0, 250, 255, 255, 255, "ポイント－手動制御"},
    {1, 0, 0, 250, 0, 0, 255, "ポイント－復位制御－定位"},
    {2, 0, 0, 250, 255, 0, 255, "ポイント－復位制御－反位"},
    {3, 0, 0, 250, 0, 255, 0, "ポイント－要求制御"},
    {4, 0, 0, 250, 255, 255, 0, "ポイント－通知制御"},
    {5, 0, 0, 250, 0, 128, 0, "ポイント－順序制御"},
    {6, 0, 0, 250, 128, 0, 0, "ポイント－併用制御"},
    {7, 0, 0, 250, 255, 0, 0, "発点てこ－選択－選択"},
    {8, 0, 0, 250, 255, 255, 255, "発点てこ－選択－非選択"},
    {9, 0, 0, 250, 255, 0, 0, "発点てこ－手動制御"},
    {10, 0, 0, 250, 0, 0, 255, "発点てこ－復位制御－定位"},
    {11, 0, 0, 250, 255, 0, 255, "発点てこ－復位制御－反位"},
    {12, 0, 0, 250, 0, 255, 0, "発点てこ－要求制御"},
    {13, 0, 0, 250, 255, 255, 0, "着点ボタン－選択－候補"},
    {14, 0, 0, 250, 255, 255, 255, "着点ボタン－選択－候補外"},
    {15, 0, 0, 250, 0, 255, 255, "着点ボタン－進路構成－あり"},
    {16, 0, 0, 250, 255, 255, 0, "着点ボタン－進路構成－なし"},
};

std::uint8_t low_byte(int v) { return static_cast<std::uint8_t>(v & 0xFF); }

}  // namespace

std::vector<LineStyle> builtin_main_window_line_styles() {
  std::vector<LineStyle> out;
  out.reserve(std::size(kMainWindowLines));
  for (const BuiltinLine& b : kMainWindowLines) {
    out.push_back({b.id, b.for_line, b.pen_style, b.point_width, low_byte(b.red), low_byte(b.green),
                   low_byte(b.blue), sjis::from_utf8_lossy(b.item_name)});
  }
  return out;
}

std::string line_style_section(std::string_view prefix, int id) {
  return format("%.*sLine%02d", static_cast<int>(prefix.size()), prefix.data(), id);
}

void load_line_styles(const ini::Document& settings, std::string_view prefix,
                      std::vector<LineStyle>& styles) {
  for (LineStyle& s : styles) {
    const std::string section = line_style_section(prefix, s.id);
    s.for_line = settings.get_int(section, "ForLine", s.for_line);
    s.pen_style = settings.get_int(section, "nPenStyle", s.pen_style);
    s.point_width = settings.get_int(section, "nPointWidth", s.point_width);
    s.red = low_byte(settings.get_int(section, "ColorRValue", s.red));
    s.green = low_byte(settings.get_int(section, "ColorGValue", s.green));
    s.blue = low_byte(settings.get_int(section, "ColorBValue", s.blue));
    s.item_name = settings.get_string(section, "ItemName", s.item_name, kItemNameMaxBytes);
  }
}

void save_line_styles(ini::Document& settings, std::string_view prefix,
                      const std::vector<LineStyle>& styles) {
  for (const LineStyle& s : styles) {
    const std::string section = line_style_section(prefix, s.id);
    settings.set_string(section, "ForLine", format("%d", s.for_line));
    settings.set_string(section, "nPenStyle", format("%d", s.pen_style));
    settings.set_string(section, "nPointWidth", format("%d", s.point_width));
    settings.set_string(section, "ColorRValue", format("%d", s.red));
    settings.set_string(section, "ColorGValue", format("%d", s.green));
    settings.set_string(section, "ColorBValue", format("%d", s.blue));
    settings.set_string(section, "ItemName", s.item_name);
  }
}

}  // namespace vosk::shell
