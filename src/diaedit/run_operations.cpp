#include "diaedit/run_operations.h"

#include "dia/dia_operations.h"
#include "dia/pattern_apply.h"
#include "dia/stop_edits.h"
#include "stock/equal_performance.h"

namespace vosk::diaedit {
namespace {

using dia::EditResult;

constexpr const char* kSeriesQuestion =
    "このダイヤに設定されている形式と、速度種別で設定されている形式の走行性能が違います。\n"
    "正しく自動計測出来なかったり、実際の所用時分と異なる場合があります。\n"
    "このまま自動計測を行いますか？\n\n形式に対応した速度種別を設定することをお勧めします。";
constexpr const char* kSeriesCaption = "形式確認";

bool live(const dia::DiaTables& dia, int n) {
  return dia.diagrams.names_record(n) && dia.diagrams[n].in_use();
}

bool same_rail(const dia::DiaEvent& a, const dia::DiaEvent& b) { return a.rail == b.rail; }

// The arrival and departure of one station visit, when event i is one of them.
struct PairAt {
  bool pair = false;
  std::size_t arrival = 0, departure = 0;
};

PairAt pair_at(const dia::Diagram& d, std::size_t i, std::size_t count) {
  const auto& e = d.events;
  if (e[i].type == dia::kEventArrival && i + 1 < count && dia::is_departure(e[i + 1].type) &&
      same_rail(e[i], e[i + 1]))
    return {true, i, i + 1};
  if (dia::is_departure(e[i].type) && i > 0 && e[i - 1].type == dia::kEventArrival &&
      same_rail(e[i - 1], e[i]))
    return {true, i - 1, i};
  return {};
}

dia::StopEdit model_edit(StopCommand command) {
  switch (command) {
    case StopCommand::StopStandard:
      return dia::StopEdit::Stop;
    case StopCommand::StopAtDeparture:
      return dia::StopEdit::ArrivalDeparture;
    case StopCommand::StopNoPassengers:
      return dia::StopEdit::StopNoPassengers;
    case StopCommand::Pass:
      return dia::StopEdit::Pass;
    case StopCommand::Terminate:
      return dia::StopEdit::Terminal;
    case StopCommand::StopLonger:
    case StopCommand::StopShorter:
      break;
  }
  return dia::StopEdit::Stop;
}

}  // namespace

bool stop_command_applies(const dia::Diagram& d, std::size_t i, StopCommand command) {
  const std::size_t count = d.event_count();
  if (i >= count) return false;
  const int type = d.events[i].type;
  if (type != dia::kEventStop && type != dia::kEventStopNoSearch && type != dia::kEventArrival &&
      type != dia::kEventPass)
    return false;
  const bool final_arrival = type == dia::kEventArrival && i + 1 == count;
  const PairAt pair = pair_at(d, i, count);
  if (type == dia::kEventArrival && !pair.pair && !final_arrival) return false;  // split half
  const bool first = (pair.pair ? pair.arrival : i) == 0;
  const int departure_type = pair.pair ? d.events[pair.departure].type : type;
  switch (command) {
    case StopCommand::StopStandard:
      return final_arrival || pair.pair || type != dia::kEventStop;
    case StopCommand::StopLonger:
    case StopCommand::StopShorter:
      return !final_arrival && dia::is_departure(departure_type);
    case StopCommand::StopAtDeparture:
      return !final_arrival && !first && !(pair.pair && departure_type == dia::kEventStop);
    case StopCommand::StopNoPassengers:
      return !final_arrival && !first && !(pair.pair && departure_type == dia::kEventStopNoSearch);
    case StopCommand::Pass:
      return !final_arrival && !first && type != dia::kEventPass;
    case StopCommand::Terminate:
      return !final_arrival && !first;
  }
  return false;
}

EditResult run_working_command(EditTools& tools, int n, WorkingCommand command,
                               Prompt& prompt) {
  if (!live(tools.dia(), n)) return EditResult::declined();
  const dia::WorkingsContext ctx = tools.workings(prompt);
  switch (command) {
    case WorkingCommand::NewNextSameDirection:
    case WorkingCommand::NewNextOppositeDirection:
      return dia::create_next_working(ctx, tools.dia(), n,
                                      command == WorkingCommand::NewNextOppositeDirection);
    case WorkingCommand::EndWorking:
      return dia::end_working(ctx, tools.dia(), n);
    case WorkingCommand::ChooseNextSameDirection:
    case WorkingCommand::ChooseNextOppositeDirection:
    case WorkingCommand::NewNextFromPattern:
      break;
  }
  return EditResult::declined();
}

EditResult run_stop_command(EditTools& tools, int n, std::size_t i, StopCommand command,
                            bool correct, Prompt& prompt) {
  dia::DiaTables& dia = tools.dia();
  if (!live(dia, n)) return EditResult::declined();
  switch (command) {
    case StopCommand::StopLonger:
    case StopCommand::StopShorter:
      return dia::shift_departure(dia, n, i, command == StopCommand::StopLonger ? 1 : -1,
                                  tools.timing(), tools.patterns(), tools.hooks(), prompt);
    case StopCommand::StopNoPassengers: {
      // A kind-7 stop keeps its arrival: a single stop or pass is split into
      // arrival and departure first, and the departure then changes kind.
      const dia::Diagram& d = dia.diagrams[n];
      std::size_t at = i;
      if (i < d.event_count() && !pair_at(d, i, d.event_count()).pair) {
        EditResult split = dia::apply_stop_edit(dia, n, i, dia::StopEdit::ArrivalDeparture,
                                                tools.timing(), tools.hooks(), correct);
        if (!split.ok()) return split;
        at = i + 1;
      }
      return dia::apply_stop_edit(dia, n, at, dia::StopEdit::StopNoPassengers, tools.timing(),
                                  tools.hooks(), correct);
    }
    case StopCommand::StopStandard:
    case StopCommand::StopAtDeparture:
    case StopCommand::Pass:
    case StopCommand::Terminate:
      break;
  }
  return dia::apply_stop_edit(dia, n, i, model_edit(command), tools.timing(), tools.hooks(),
                              correct);
}

EditResult set_event_time(EditTools& tools, dia::AutoCorrectionSwitch& correction, int n,
                          std::size_t i, int time, Prompt& prompt) {
  dia::DiaTables& dia = tools.dia();
  if (!live(dia, n) || i >= dia.diagrams[n].event_count()) return EditResult::declined();
  const int type = dia.diagrams[n].events[i].type;
  if (!dia::is_departure(type) && type != dia::kEventArrival) return EditResult::declined();
  if (EditResult range = dia::check_start_time(time); !range.ok()) return range;
  dia::Diagram& d = dia.diagrams[n];
  if (d.applied_pattern != 0 && i == 0) {
    return dia::apply_pattern(dia, n, d.applied_pattern, time, tools.patterns(), tools.tables(),
                              tools.hooks(), prompt);
  }
  const bool correct = correction.before_time_edit(prompt);
  dia.diagrams[n].events[i].time = time;
  if (correct) dia::correct_times(dia, n, i + 1, tools.timing());
  dia::mark_pattern_users(dia, n);
  dia::propagate_to_coupled(dia, n);
  return EditResult::done(n);
}

bool series_differs_from_speed_type(const datafiles::DataSet& data, int n) {
  const dia::DiaTables& dia = data.dia;
  if (!live(dia, n)) return false;
  const dia::Diagram& d = dia.diagrams[n];
  const int u = d.run.owning_unit;
  if (!dia.units.names_record(u)) return false;
  const auto& speeds = data.classification.speed_types;
  if (!speeds.names_record(d.speed_type)) return false;
  const int a = dia.units[u].series;
  const int b = speeds[d.speed_type].measuring_series;
  if (!data.series.names_record(a) || !data.series.names_record(b) || a == b) return false;
  return !stock::equal_performance(data.series[a], data.series[b],
                                   data.header.map.use_characteristic != 0);
}

EditResult auto_measure(EditTools& tools, int n, Prompt& prompt) {
  if (!live(tools.dia(), n)) return EditResult::declined();
  if (series_differs_from_speed_type(tools.data(), n) &&
      !dia::confirmed(prompt, kSeriesCaption, kSeriesQuestion))
    return EditResult::declined();
  return dia::auto_measure_command(tools.dia(), n, tools.timing(), prompt);
}

}  // namespace vosk::diaedit
