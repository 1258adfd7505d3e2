#include "graph/graph_settings_file.h"

namespace vosk::graph {
namespace {

struct FlagKey {
  const char* key;
  bool ViewFlags::*flag;
};

// In the order they are written.
constexpr FlagKey kFlagKeys[] = {
    {"flattery", &ViewFlags::flattery},
    {"timelocal_view", &ViewFlags::timelocal_view},
    {"timereal_view", &ViewFlags::timereal_view},
    {"ViewDown", &ViewFlags::view_down},
    {"ViewUp", &ViewFlags::view_up},
    {"ViewActive", &ViewFlags::view_active},
    {"ViewSuspense", &ViewFlags::view_suspense},
    {"ViewDouble", &ViewFlags::view_double},
    {"ViewPass", &ViewFlags::view_pass},
    {"ViewTitle", &ViewFlags::view_title},
    {"ViewTrainName", &ViewFlags::view_train_name},
    {"ViewNickName", &ViewFlags::view_nickname},
    {"ViewToolBar", &ViewFlags::view_toolbar},
};

struct IntKey {
  const char* key;
  int PageSettings::*value;
};

constexpr IntKey kPageKeys[] = {
    {"MarginLeft", &PageSettings::margin_left},
    {"MarginRight", &PageSettings::margin_right},
    {"MarginTop", &PageSettings::margin_top},
    {"MarginBottom", &PageSettings::margin_bottom},
    {"Type", &PageSettings::type},
    {"TimeLeft", &PageSettings::time_left},
    {"TimeRight", &PageSettings::time_right},
    {"PageSize", &PageSettings::page_size},
    {"SizeX", &PageSettings::size_x},
    {"SizeY", &PageSettings::size_y},
};

}  // namespace

std::string mode_section(GraphMode mode) {
  switch (mode) {
    case GraphMode::Operation:
      return "VOSKDiaGramWindowPlay";
    case GraphMode::Edit:
      return "VOSKDiaGramWindowEdit";
    case GraphMode::Print:
      return "VOSKDiaGramWindowPrint";
    case GraphMode::DisplayTarget:
      return "VOSKDiaGramWindowPos";
  }
  return "VOSKDiaGramWindowEdit";
}

const char* page_section(PageUse use) {
  switch (use) {
    case PageUse::Display:
      return "DiaGramCopyFigureDisply";  // spelled as the files have it
    case PageUse::Copy:
      return "DiaGramCopyFigureClip";
    case PageUse::Print:
      return "DiaGramCopyFigurePrint";
  }
  return "DiaGramCopyFigureDisply";
}

Rect default_window_rect(GraphMode mode) {
  return mode == GraphMode::Print ? Rect{0, 0, 1000, 750} : Rect{380, 140, 1000, 750};
}

GraphModeSettings load_graph_settings(const ini::Document& settings, GraphMode mode,
                                      bool english_start_locale) {
  GraphModeSettings out{default_graph_settings(mode, english_start_locale),
                        default_window_rect(mode)};
  const std::string section = mode_section(mode);
  Rect& w = out.window;
  w.left = settings.get_int(section, "PosLeft", w.left);
  w.top = settings.get_int(section, "PosTop", w.top);
  w.right = settings.get_int(section, "PosRight", w.right);
  w.bottom = settings.get_int(section, "PosBottom", w.bottom);
  ViewFlags& v = out.graph.view;
  for (const FlagKey& k : kFlagKeys) v.*k.flag = settings.get_int(section, k.key, v.*k.flag) != 0;
  v.view_type = settings.get_int(section, "ViewType", v.view_type);
  v.view_for = settings.get_int(section, "ViewFor", v.view_for);
  GraphSettings& g = out.graph;
  g.platform_ratio = settings.get_int(section, "platform_ratio", g.platform_ratio);
  g.time_scale = settings.get_int(section, "TimeScale", g.time_scale);
  g.font = shell::load_font_record(settings, "Font" + section, g.font, english_start_locale);
  shell::load_line_styles(settings, section, g.line_styles);
  return out;
}

void save_graph_settings(ini::Document& settings, GraphMode mode, const GraphModeSettings& values,
                         bool write_window, bool english_start_locale) {
  const std::string section = mode_section(mode);
  if (write_window) {
    settings.set_int(section, "PosLeft", values.window.left);
    settings.set_int(section, "PosTop", values.window.top);
    settings.set_int(section, "PosRight", values.window.right);
    settings.set_int(section, "PosBottom", values.window.bottom);
  }
  const GraphSettings& g = values.graph;
  for (const FlagKey& k : kFlagKeys) settings.set_flag(section, k.key, g.view.*k.flag);
  settings.set_int(section, "ViewType", g.view.view_type);
  settings.set_int(section, "ViewFor", g.view.view_for);
  settings.set_int(section, "platform_ratio", g.platform_ratio);
  settings.set_int(section, "TimeScale", g.time_scale);
  shell::save_font_record(settings, "Font" + section, g.font, english_start_locale);
  shell::save_line_styles(settings, section, g.line_styles);
}

PageSettings load_page_settings(const ini::Document& settings, PageUse use) {
  PageSettings p = default_page_settings(use);
  for (const IntKey& k : kPageKeys)
    p.*k.value = settings.get_int(page_section(use), k.key, p.*k.value);
  return p;
}

void save_page_settings(ini::Document& settings, PageUse use, const PageSettings& values) {
  for (const IntKey& k : kPageKeys) settings.set_int(page_section(use), k.key, values.*k.value);
}

}  // namespace vosk::graph
