#include "diaedit/dia_fingerprint.h"

#include <initializer_list>
#include <string_view>

namespace vosk::diaedit {
namespace {

// FNV-1a over the values in order, a whole number at a time (a dia of ten
// thousand runs is hashed on every edit). Each step is a bijection of the
// state, so two dias that differ in one value never hash alike.
class Mix {
 public:
  void add(std::initializer_list<int> values) {
    for (int v : values) h_ = (h_ ^ static_cast<std::uint32_t>(v)) * kPrime;
  }
  void add(std::string_view text) {
    add({static_cast<int>(text.size())});
    bytes(text.data(), text.size());
  }
  std::uint64_t value() const { return h_; }

 private:
  void bytes(const void* p, std::size_t n) {
    const auto* c = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i) h_ = (h_ ^ c[i]) * kPrime;
  }
  static constexpr std::uint64_t kPrime = 1099511628211ULL;
  std::uint64_t h_ = 14695981039346656037ULL;
};

}  // namespace

std::uint64_t dia_fingerprint(const dia::DiaTables& dia) {
  Mix m;
  m.add({dia.trains.extent(), dia.units.extent(), dia.diagrams.extent()});
  for (int n = 1; n <= dia.trains.extent(); ++n) {
    const dia::Train& t = dia.trains[n];
    m.add({t.first_diagram, t.initial_rail, t.head_unit});
    m.add(t.name);
  }
  for (int n = 1; n <= dia.units.extent(); ++n) {
    const dia::Unit& u = dia.units[n];
    m.add({u.first_diagram, u.train, u.unit_ahead, u.unit_behind, u.series});
    m.add(u.name);
  }
  for (int n = 1; n <= dia.diagrams.extent(); ++n) {
    const dia::Diagram& d = dia.diagrams[n];
    m.add({d.direction, d.destination, d.flag_a, d.flag_b, d.running_order, d.next_working, d.crew,
           d.train_type, d.pattern_template, d.applied_pattern, d.pattern_changed, d.speed_type,
           d.flag_c, d.follow_coupled, d.coupled_behind, d.coupled_ahead, d.value_d, d.car_number,
           static_cast<int>(d.events.size())});
    for (const std::string* text : {&d.train_number, &d.destination_text, &d.nickname, &d.remarks})
      m.add(*text);
    for (const dia::DiaEvent& e : d.events) m.add({e.rail, e.time, e.type});
  }
  return m.value();
}

}  // namespace vosk::diaedit
