#include "graph/run_label.h"

#include <algorithm>
#include <cmath>

#include "base/sjis.h"

namespace vosk::graph {
namespace {

// CP932 of "号 ", after the car number that follows a nickname.
const std::string& car_number_suffix() {
  static const std::string s = sjis::from_utf8_lossy("号 ");
  return s;
}

std::string destination_label(const dia::Diagram& d, int form,
                              const RecordTable<map::Target>& targets) {
  if (d.destination > 0 && targets.names_record(d.destination)) {
    const map::Target& t = targets[d.destination];
    if (d.destination_text == t.short_name) {
      return form == 1 ? t.one_char_name : form == 2 ? t.short_name : t.name;
    }
  }
  return d.destination_text;
}

}  // namespace

std::string run_label_text(const dia::Diagram& d, const ViewFlags& view,
                           const dia::ClassificationTables& tables,
                           const RecordTable<map::Target>& targets) {
  std::string text;
  if (view.view_train_name) text += d.train_number + " ";
  if (view.view_type >= 1 && view.view_type <= 3)
    text +=
        std::string(dia::train_type_label(tables.train_types, d.train_type, view.view_type)) + " ";
  if (view.view_nickname && !d.nickname.empty()) {
    text += d.nickname + " ";
    if (d.car_number != 0) text += std::to_string(d.car_number) + car_number_suffix();
  }
  if (view.view_for >= 1 && view.view_for <= 3)
    text += destination_label(d, view.view_for, targets) + " ";
  return text;
}

int label_escapement(Point from, Point to) {
  return static_cast<int>(std::trunc(
      std::atan2(static_cast<double>(from.y - to.y), static_cast<double>(to.x - from.x)) *
      572.9577951289617));
}

void LabelAnchor::move_to(Point p) {
  current_ = p;
  surface_.move_to(p);
}

void LabelAnchor::line_to(Point p) {
  if (!found_ && p.x != current_.x && p.y != current_.y && std::max(p.x, current_.x) > plot_left_) {
    found_ = true;
    start_ = current_;
    end_ = p;
    if (start_.x < plot_left_ && end_.x > start_.x) {
      const double f = static_cast<double>(plot_left_ - start_.x) / (end_.x - start_.x);
      start_ = {plot_left_, start_.y + static_cast<int>(std::lround((end_.y - start_.y) * f))};
    }
  }
  current_ = p;
  surface_.line_to(p);
}

}  // namespace vosk::graph
