#include "dia/effective_length.h"

#include <cstdlib>

#include "base/sjis.h"
#include "dia/auto_timing.h"
#include "dia/check_text.h"

namespace vosk::dia {
namespace {

// Room the train must leave before the stop mark, in metres.
constexpr int kSpare = 5;

enum Message { kNoEntry, kPointBlocked, kNoTurnback, kTooLong };

const Cp932Template& message(Message m) {
  static const Cp932Template texts[] = {
      Cp932Template(
          "%sの有効長が足りません。\n%sの編成長が長いため、入線出来ない可能性があります。"),
      Cp932Template(
          "%sの有効長が足りません。\n%sの編成長が長いため、ポイントが転換しない可能性があります。"),
      Cp932Template("%sの有効長が足りません。\n%sの編成長が長いため、折り返しができません。"),
      Cp932Template("編成長が長すぎます。"),
  };
  return texts[m];
}

class LengthWalk {
 public:
  LengthWalk(const CheckContext& ctx, int n, int length)
      : ctx_(ctx), d_(ctx.dia.diagrams[n]), length_(length) {
    const Unit* unit = ctx.formation_of(n);
    formation_name_ = unit != nullptr ? unit->name : std::string();
  }

  // A stop: the rails behind the stopping rail take what does not fit. At a
  // turnback or the end of the working the train must also stay within the
  // stopping place.
  LengthCheck at(int rail, bool turnback) const {
    const map::Rail* stop = ctx_.map().rail(rail);
    if (stop == nullptr || stop->stop_distance == 0) return {};
    int excess = length_ - stop->stop_distance + kSpare;
    int cur = rail;
    for (int steps = ctx_.map().rails.extent(); excess >= 0; --steps) {
      int prev = previous(cur);
      if (prev == 0 || steps <= 0) {
        return turnback ? fail(kTooLong, {}, {}) : fail(kNoEntry, stop->name, formation_name_);
      }
      if (on_point(prev)) return fail(kPointBlocked, stop->name, d_.train_number);
      const map::Rail& behind = ctx_.map().rails[prev];
      excess -= behind.length;
      if (turnback && behind.target != stop->target) {
        return fail(kNoTurnback, stop->name, d_.train_number);
      }
      cur = prev;
    }
    return {};
  }

 private:
  // The rail behind `rail`, 0 when there is none.
  int previous(int rail) const {
    int prev = std::abs(ctx_.map().rails[rail].l_back);
    return ctx_.map().rails.names_record(prev) ? prev : 0;
  }
  bool on_point(int rail) const {
    const map::PRail* track = ctx_.map().track_of(rail);
    return track != nullptr && track->point != 0;
  }
  static LengthCheck fail(Message m, std::string_view a, std::string_view b) {
    return {false, message(m).fill({a, b})};
  }

  const CheckContext& ctx_;
  const Diagram& d_;
  int length_;
  std::string formation_name_;
};

}  // namespace

int formation_length(const CheckContext& ctx, int n) {
  if (ctx.formation_of(n) == nullptr) return 0;
  int length = 0;
  // Along coupled_ahead; a damaged chain may loop.
  for (int r = n, steps = ctx.dia.diagrams.extent() + 1; ctx.run(r) != nullptr && steps > 0;
       r = ctx.dia.diagrams[r].coupled_ahead, --steps) {
    if (const stock::Series* s = ctx.series_of(r)) length += s->train_length;
    if (ctx.dia.diagrams[r].coupled_ahead == n) break;
  }
  return length;
}

LengthCheck check_effective_length(const CheckContext& ctx, int n) {
  const Diagram* d = ctx.run(n);
  if (d == nullptr || ctx.formation_of(n) == nullptr) return {};
  LengthWalk walk(ctx, n, formation_length(ctx, n));
  std::size_t count = d->event_count();
  for (std::size_t i = 0; i < count; ++i) {
    const DiaEvent& e = d->events[i];
    LengthCheck result;
    if (is_departure(e.type)) {
      result = walk.at(e.rail, false);
    } else if (e.type == kEventArrival && i + 1 == count) {
      const Diagram* next = ctx.run(d->next_working);
      bool continues = next != nullptr && next->direction == d->direction;
      result = walk.at(e.rail, !continues);
    }
    if (!result.ok) return result;
  }
  return {};
}

bool report_effective_length(const CheckContext& ctx, int n, CheckReport& report) {
  LengthCheck result = check_effective_length(ctx, n);
  if (!result.ok) report_lines(report, result.text);
  return result.ok;
}

bool effective_length_box(const CheckContext& ctx, int n, Prompt& prompt) {
  LengthCheck result = check_effective_length(ctx, n);
  if (!result.ok) prompt.tell("編成長エラー", sjis::to_utf8_lossy(result.text));
  return result.ok;
}

}  // namespace vosk::dia
