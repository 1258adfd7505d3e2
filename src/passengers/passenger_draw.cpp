// The passenger window's picture: the header band of totals, the grid of
// counts and hours, the reverse pair in grey and the pair in blue.
#include "base/format.h"
#include "base/time_text.h"
#include "passengers/passenger_controller.h"
#include "passengers/passenger_totals.h"

namespace vosk::passengers {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGridLine{224, 224, 224};
constexpr Rgb kHourLine{144, 144, 144};
constexpr Rgb kHeaderRule{128, 128, 128};
constexpr Rgb kReverseCurve{160, 160, 160};
constexpr Rgb kPairCurve{0, 0, 255};
constexpr int kCircleRadius = 3;

// A small circle as an octagon: the surface has no ellipse.
void circle(Surface& s, Point c) {
  constexpr int r = kCircleRadius;
  constexpr int d = 2;  // r × sin 45°, rounded
  const Point points[] = {{c.x + r, c.y}, {c.x + d, c.y + d}, {c.x, c.y + r}, {c.x - d, c.y + d},
                          {c.x - r, c.y}, {c.x - d, c.y - d}, {c.x, c.y - r}, {c.x + d, c.y - d}};
  s.polygon(points);
}

}  // namespace

std::vector<HeaderText> PassengerController::header_texts() const {
  const dia::PassengerList& list = data_.classification.passengers;
  const RecordTable<map::Station>& stations = data_.map.stations;
  const auto station_line = [&](int station) {
    if (station == 0) return station_name(0);
    return format("%s（計%6d人）", station_name(station).c_str(),
                  static_cast<int>(station_total(list, stations, station)));
  };
  std::vector<HeaderText> texts;
  texts.push_back({{64, 12}, station_line(from_)});
  texts.push_back({{356, 12}, station_line(to_)});
  texts.push_back({{8, 42}, "総乗降客数"});
  texts.push_back({{110, 42}, format("%ld人", static_cast<long>(pair_total(list, from_, to_)))});
  texts.push_back({{300, 42}, "逆方向総乗降客数"});
  if (to_ == 0) {
    texts.push_back({{440, 42}, "逆方向は各発駅を指定して設定して下さい。"});
  } else {
    texts.push_back({{440, 42}, format("%ld人", static_cast<long>(pair_total(list, to_, from_)))});
  }
  texts.push_back({{8, 72}, "乗客数簡易シミュレート"});
  int per_hour = 0, per_train = 0;
  if (stations.names_record(from_)) {
    per_hour = stations[from_].passengers_per_hour;
    per_train = stations[from_].passengers_per_train;
  }
  texts.push_back({{200, 72}, "１時間当たり"});
  texts.push_back({{290, 72}, format("%d人", per_hour)});
  texts.push_back({{420, 72}, "１列車当たり"});
  texts.push_back({{510, 72}, format("%d人", per_train)});
  return texts;
}

Point PassengerController::to_pixel(Size area, const ProfilePoint& p) const {
  return {(p.time - left_) / seconds_per_pixel_,
          area.height - kBottomMargin - p.count / passengers_per_pixel_};
}

void PassengerController::draw_grid(Surface& s, Size area) {
  const int zero = area.height - kBottomMargin;
  s.set_pen({PenStyle::Solid, 1, kGridLine});
  for (int y = zero; y >= kHeaderHeight; y -= 10) s.line({0, y}, {area.width, y});
  s.set_text_colour(kBlack);
  s.set_text_align({HAlign::Left, VAlign::Top});
  for (int t = 0; t <= timetext::kMaxInput; t += 600) {
    const int x = (t - left_) / seconds_per_pixel_;
    if (x < 0) continue;
    if (x >= area.width) break;
    const bool hour = t % 3600 == 0;
    s.set_pen({PenStyle::Solid, 1, hour ? kHourLine : kGridLine});
    s.line({x, kHeaderHeight}, {x, zero + 1});
    if (hour) s.text({x + 2, zero + 2}, format("%2d:%02d", t / 3600, t % 3600 / 60));
  }
  // The count scale: passengers per hour every 100 pixels up the left edge.
  s.set_text_colour(kHourLine);
  s.set_text_align({HAlign::Left, VAlign::Bottom});
  for (int y = zero - 100; y >= kHeaderHeight + 10; y -= 100)
    s.text({2, y}, format("%d", (zero - y) * passengers_per_pixel_));
  s.set_pen({PenStyle::Solid, 1, kHeaderRule});
  s.line({0, kHeaderHeight - 1}, {area.width, kHeaderHeight - 1});
}

void PassengerController::draw_curve(Surface& s, Size area, const Profile& profile, Rgb colour,
                                     bool circles) {
  if (profile.empty()) return;
  s.set_pen({PenStyle::Solid, 1, colour});
  s.move_to(to_pixel(area, profile.front()));
  for (std::size_t i = 1; i < profile.size(); ++i) s.line_to(to_pixel(area, profile[i]));
  if (!circles) return;
  s.set_brush({colour, true});
  for (const ProfilePoint& p : profile) circle(s, to_pixel(area, p));
}

void PassengerController::draw(Surface& surface) {
  const Size area = surface.size();
  client_ = area;
  surface.fill_rect({0, 0, area.width, area.height}, Rgb{255, 255, 255});
  surface.set_font(font_);
  surface.set_background(false, Rgb{255, 255, 255});
  draw_grid(surface, area);

  const dia::PassengerList& list = data_.classification.passengers;
  if (to_ != 0) draw_curve(surface, area, profile_of(list, to_, from_), kReverseCurve, false);
  draw_curve(surface, area, profile_of(list, from_, to_), kPairCurve, true);

  surface.set_text_colour(kBlack);
  surface.set_text_align({HAlign::Left, VAlign::Top});
  for (const HeaderText& t : header_texts()) surface.text(t.at, t.text);
}

}  // namespace vosk::passengers
