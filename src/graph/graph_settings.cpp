#include "graph/graph_settings.h"

#include "base/sjis.h"

namespace vosk::graph {

GraphSettings default_graph_settings(GraphMode mode, bool english_start_locale) {
  GraphSettings s;
  const bool operation = mode == GraphMode::Operation;
  s.view.flattery = operation;
  s.view.timereal_view = operation;
  s.font = shell::default_font_record(english_start_locale);
  s.line_styles = default_graph_line_styles();
  return s;
}

std::vector<shell::LineStyle> default_graph_line_styles() {
  struct Row {
    const char* item_name;  // UTF-8 here, CP932 in the entry
    int pen_style, point_width;
    std::uint8_t r, g, b;
  };
  static constexpr Row kRows[kLineEntryCount] = {
      {"時刻目盛線", 0, 500, 135, 206, 235},
      {"時刻目盛補助線", 2, 250, 135, 206, 235},
      {"主要駅目盛線（標準）", 0, 500, 135, 206, 235},
      {"一般駅目盛線（標準）", 0, 500, 135, 206, 235},
      {"主要駅目盛線（選択）", 0, 1000, 0, 0, 255},
      {"一般駅目盛線（選択）", 0, 1000, 0, 0, 255},
      {"主要駅目盛線（非選択）", 0, 500, 224, 255, 255},
      {"一般駅目盛線（非選択）", 0, 500, 224, 255, 255},
  };
  std::vector<shell::LineStyle> styles;
  for (int id = 0; id < kLineEntryCount; ++id) {
    const Row& row = kRows[id];
    styles.push_back({id, 1, row.pen_style, row.point_width, row.r, row.g, row.b,
                      sjis::from_utf8_lossy(row.item_name)});
  }
  return styles;
}

PageSettings default_page_settings(PageUse use) {
  PageSettings p;
  const int margin = use == PageUse::Display ? 2 : use == PageUse::Copy ? 10 : 25;
  p.margin_left = p.margin_right = p.margin_top = p.margin_bottom = margin;
  return p;
}

}  // namespace vosk::graph
