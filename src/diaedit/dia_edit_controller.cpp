#include "diaedit/dia_edit_controller.h"

#include <algorithm>

#include "base/sjis.h"
#include "dia/coupling_relations.h"
#include "dia/dia_checks.h"
#include "dia/dia_operations.h"
#include "dia/dia_snapshot.h"
#include "dia/pattern_apply.h"
#include "dia/point_switch.h"
#include "dia/working_chains.h"
#include "dia/working_coupling.h"
#include "dia/workings.h"
#include "diaedit/dia_fingerprint.h"
#include "diaedit/track_change.h"

namespace vosk::diaedit {
namespace {

using dia::EditResult;
using Request = Outcome::Request;

constexpr int kChainLimit = 10000;  // chains read from files may loop

Outcome handled() {
  Outcome o;
  o.handled = true;
  return o;
}

Outcome changed_if(const EditResult& r) {
  Outcome o = handled();
  o.changed = r.ok();
  return o;
}

Outcome request(Request what, int event = -1) {
  Outcome o = handled();
  o.request = what;
  o.event = event;
  return o;
}

StopCommand command_of(CellAction a) {
  switch (a) {
    case CellAction::Pass:
      return StopCommand::Pass;
    case CellAction::Stop:
      return StopCommand::StopStandard;
    case CellAction::ArrivalDeparture:
      return StopCommand::StopAtDeparture;
    case CellAction::StopNoPassengers:
      return StopCommand::StopNoPassengers;
    case CellAction::Terminate:
      return StopCommand::Terminate;
    case CellAction::PatternInfo:
    case CellAction::PatternDetails:
    case CellAction::PatternSwitch:
    case CellAction::PatternRelease:
    case CellAction::CoupledRun:
    case CellAction::TimeCell:
    case CellAction::TimeInput:
    case CellAction::EventDetail:
      break;
  }
  return StopCommand::StopStandard;
}

}  // namespace

DiaEditController::DiaEditController(datafiles::DataSet& data, bool english)
    : data_(data), english_(english) {
  base_font_.face = english ? "Arial" : "MS UI Gothic";
  saw_dia();
}

void DiaEditController::saw_dia() {
  seen_ = dia_fingerprint(data_.dia);
  seen_revision_ = history_->revision();
}

bool DiaEditController::live(int n) const {
  return data_.dia.diagrams.names_record(n) && data_.dia.diagrams[n].in_use();
}

void DiaEditController::select(int n) {
  if (n != diagram_) conflict_rails_.clear();
  diagram_ = live(n) ? n : 0;
  scroll_ = 0;
}

void DiaEditController::data_changed() {
  // A change no window recorded as an undo step makes the steps unsafe: an
  // undo would put back a dia without it. One another window recorded in the
  // shared history is fine.
  if (dia_fingerprint(data_.dia) != seen_ && history_->revision() == seen_revision_)
    history_->clear();
  saw_dia();
  if (!live(diagram_)) select(0);
}

void DiaEditController::reset_for_new_data() {
  history_->clear();
  correction_.reset();
  saw_dia();
  select(0);
}

void DiaEditController::set_font_step(int step) { font_step_ = std::clamp(step, 1, 5); }

Font DiaEditController::font() const {
  Font f = base_font_;
  f.height = -font_pixels_for_step(font_step_);
  f.escapement = 0;
  return f;
}

const Layout& DiaEditController::layout(Surface& surface) {
  client_ = surface.size();
  LayoutInput in{diagram_, detail_time_, detail_dia_, scroll_, client_, font(), &conflict_rails_};
  layout_ = lay_out(data_, in, surface);
  return layout_;
}

void DiaEditController::draw(Surface& surface) {
  layout(surface);
  paint(layout_, font(), surface);
}

std::string DiaEditController::caption() const {
  if (!live(diagram_)) return english_ ? "Diaedit Window" : "ダイヤ編集ウインドウ";
  const dia::Diagram& d = data_.dia.diagrams[diagram_];
  const auto& speeds = data_.classification.speed_types;
  const std::string speed =
      speeds.names_record(d.speed_type) ? sjis::to_utf8_lossy(speeds[d.speed_type].name) : "";
  const auto& patterns = data_.classification.patterns;
  if (d.pattern_template != 0) {
    const std::string name = patterns.names_record(d.pattern_template)
                                 ? sjis::to_utf8_lossy(patterns[d.pattern_template].name)
                                 : "";
    return "ダイヤ編集　パターン編集　" + name + "　" + speed;
  }
  const std::string number = sjis::to_utf8_lossy(d.train_number);
  const int u = d.run.owning_unit;
  if (data_.dia.units.names_record(u)) {
    return "ダイヤ編集　" + number + "（" + sjis::to_utf8_lossy(data_.dia.units[u].name) +
           "編成）　" + speed;
  }
  return "ダイヤ編集　" + number + "（運用未指定）　" + speed;
}

// --- navigation ----------------------------------------------------------------

int DiaEditController::previous_run() const {
  return live(diagram_) ? dia::previous_working(data_.dia, diagram_, nullptr) : 0;
}

int DiaEditController::next_run() const {
  if (!live(diagram_)) return 0;
  const int next = data_.dia.diagrams[diagram_].next_working;
  return live(next) ? next : 0;
}

int DiaEditController::first_run() const {
  int n = diagram_;
  for (int k = 0; k < kChainLimit; ++k) {
    const int p = live(n) ? dia::previous_working(data_.dia, n, nullptr) : 0;
    if (p == 0 || p == diagram_) break;
    n = p;
  }
  return n != diagram_ ? n : 0;
}

int DiaEditController::last_run() const {
  if (!live(diagram_)) return 0;
  const std::vector<int> chain = dia::working_chain(data_.dia, diagram_);
  return chain.size() > 1 ? chain.back() : 0;
}

int DiaEditController::coupled_run() const {
  if (!live(diagram_)) return 0;
  const std::vector<int> chain = dia::coupling_chain(data_.dia, diagram_);
  if (chain.size() < 2) return 0;
  // The next one along the train, from the rear back to the front.
  const auto at = std::find(chain.begin(), chain.end(), diagram_);
  if (at == chain.end()) return 0;
  return std::next(at) == chain.end() ? chain.front() : *std::next(at);
}

Outcome DiaEditController::navigate(int target, Prompt& prompt, bool tell_none) {
  if (target == 0) {
    if (tell_none) prompt.tell(caption::kOperationError, kNoNextWorkingText);
    return handled();
  }
  select(target);
  Outcome o = handled();
  o.selection_changed = true;
  return o;
}

// --- edits -------------------------------------------------------------------------

template <class Edit>
EditResult DiaEditController::edit(const char* name, Prompt& prompt, Edit&& operation) {
  if (!live(diagram_)) return EditResult::declined();
  dia::DiaSnapshot before(data_.dia);
  EditResult result = EditResult::declined();
  {
    EditTools tools(data_, correction_.corrects_after_stop_edit(data_.executed_stack.has_value()));
    result = operation(tools, prompt);
  }
  if (result.ok()) {
    history_->record(before.tables(), name);
    saw_dia();
  } else {
    // A step of a two-step edit may have gone through before the refusal.
    std::move(before).restore_into(data_.dia);
  }
  data_changed();
  return result;
}

EditResult DiaEditController::input_time(std::size_t event, int time, Prompt& prompt) {
  const int n = diagram_;
  return edit("時刻入力", prompt, [&](EditTools& tools, Prompt& p) {
    return set_event_time(tools, correction_, n, event, time, p);
  });
}

EditResult DiaEditController::change_track(std::size_t event, Prompt& prompt) {
  const int n = diagram_;
  return edit("番線変更", prompt,
              [&](EditTools& tools, Prompt&) { return change_stop_track(tools, n, event); });
}

EditResult DiaEditController::stop_command(std::size_t event, StopCommand command,
                                           Prompt& prompt) {
  const int n = diagram_;
  return edit("停車・通過の変更", prompt, [&](EditTools& tools, Prompt& p) {
    const bool correct = correction_.corrects_after_stop_edit(data_.executed_stack.has_value());
    return run_stop_command(tools, n, event, command, correct, p);
  });
}

EditResult DiaEditController::apply_pattern(int pattern, int time, Prompt& prompt) {
  const int n = diagram_;
  return edit("ダイヤパターン適用", prompt, [&](EditTools& tools, Prompt& p) {
    return dia::apply_pattern(tools.dia(), n, pattern, time, tools.patterns(), tools.tables(),
                              tools.hooks(), p);
  });
}

EditResult DiaEditController::next_from_pattern(int pattern, int time, Prompt& prompt) {
  const int n = diagram_;
  EditResult r = edit("次運用新規", prompt, [&](EditTools& tools, Prompt& p) {
    return dia::create_next_from_pattern(tools.workings(p), tools.dia(), n, pattern, time,
                                         tools.patterns());
  });
  if (r.ok() && live(r.number())) select(r.number());
  return r;
}

std::vector<CandidateRow> DiaEditController::next_candidates(int command) const {
  if (!live(diagram_)) return {};
  const dia::NextDirection direction = command == kCmdChooseNextSame ? dia::NextDirection::Same
                                       : command == kCmdChooseNextOpposite
                                           ? dia::NextDirection::Opposite
                                           : dia::NextDirection::Either;
  return candidate_rows(data_, diagram_, direction,
                        command == kCmdCoupleNext ? dia::NextUse::Couple : dia::NextUse::Follow);
}

EditResult DiaEditController::choose_candidate(int command, int chosen, Prompt& prompt) {
  const int n = diagram_;
  const bool couple = command == kCmdCoupleNext;
  EditResult r = edit(couple ? "次運用併結" : "次運用選択", prompt, [&](EditTools& tools, Prompt& p) {
    return couple ? dia::couple_next_working(tools.workings(p), tools.dia(), n, chosen)
                  : dia::choose_next_working(tools.workings(p), tools.dia(), n, chosen);
  });
  if (r.ok() && live(r.number())) select(r.number());
  return r;
}

EditResult DiaEditController::set_run_settings(const RunSettings& values, bool change_stop_pass,
                                               Prompt& prompt, RunSettingsField* field) {
  const int n = diagram_;
  return edit("ダイヤ情報", prompt, [&](EditTools& tools, Prompt&) {
    return apply_run_settings(tools, n, values, change_stop_pass, field);
  });
}

void DiaEditController::record_outside_edit(const dia::DiaTables& before, std::string name) {
  history_->record(before, std::move(name));
  saw_dia();
  data_changed();
}

bool DiaEditController::undo() {
  if (!history_->undo(data_.dia)) return false;
  saw_dia();
  data_changed();
  return true;
}

bool DiaEditController::redo() {
  if (!history_->redo(data_.dia)) return false;
  saw_dia();
  data_changed();
  return true;
}

std::optional<EventFacts> DiaEditController::event_facts(std::size_t event) const {
  if (!live(diagram_)) return std::nullopt;
  const dia::Diagram& d = data_.dia.diagrams[diagram_];
  if (event >= d.event_count()) return std::nullopt;
  const dia::DiaEvent& e = d.events[event];
  EditTools tools(data_);
  EventFacts f;
  const auto& rails = data_.map.rails;
  if (rails.names_record(e.rail)) {
    f.rail = sjis::to_utf8_lossy(rails[e.rail].name);
    const int st = rails[e.rail].station;
    if (data_.map.stations.names_record(st))
      f.station = sjis::to_utf8_lossy(data_.map.stations[st].name);
  }
  f.type = e.type;
  f.time = e.time;
  f.arrival = dia::arrival_time(d, event, tools.timing());
  f.stop_time = tools.timing().stop_time(e.rail, d.train_type, d.speed_type);
  return f;
}

dia::PatternDialogSetup DiaEditController::pattern_setup(bool for_next_working) const {
  EditTools tools(data_);
  return for_next_working
             ? dia::pattern_setup_for_next_working(data_.dia, tools.patterns(), tools.timing(),
                                                   diagram_)
             : dia::pattern_setup_for_run(data_.dia, tools.patterns(), tools.timing(), diagram_);
}

dia::EditResult DiaEditController::pattern_button(int pattern, dia::PatternTimeButton button,
                                                  int entered) const {
  return dia::pattern_button_time(data_.classification.patterns, pattern, button, entered);
}

std::vector<std::string> DiaEditController::check_selection(bool use_duplicate) {
  conflict_rails_.clear();
  if (!live(diagram_)) return {};
  EditTools tools(data_);
  const dia::CouplingRelations relations(data_.dia);
  const dia::CheckContext ctx{data_.dia, data_.series, tools.timing(), relations};
  const dia::OccupationIndex index(ctx);
  dia::CollectedReport report;
  const dia::SelectionCheck found = dia::check_selected_run(
      ctx, index, diagram_, {use_duplicate, data_.header.map.use_electri != 0}, report);
  for (const dia::OverlapHit& hit : found.overlap.hits) conflict_rails_.push_back(hit.rail);
  return report.lines();
}

// --- input -----------------------------------------------------------------------

Outcome DiaEditController::run_cell(const Cell& cell, bool right_button, Prompt& prompt) {
  const std::size_t event = cell.event < 0 ? 0 : static_cast<std::size_t>(cell.event);
  switch (cell.action) {
    case CellAction::PatternInfo:
      return request(Request::RunSettings);
    case CellAction::PatternDetails:
      detail_dia_ = true;
      return handled();
    case CellAction::PatternSwitch:
      return request(Request::PatternChoice);
    case CellAction::PatternRelease:
      return changed_if(apply_pattern(0, 0, prompt));
    case CellAction::CoupledRun:
      return navigate(live(cell.diagram) ? cell.diagram : 0, prompt, false);
    case CellAction::TimeCell: {
      const dia::Diagram& d = data_.dia.diagrams[diagram_];
      if (event < d.event_count() && dia::is_departure(d.events[event].type)) {
        const StopCommand c = right_button ? StopCommand::StopShorter : StopCommand::StopLonger;
        EditResult r = stop_command(event, c, prompt);
        r.report(prompt);
        return changed_if(r);
      }
      const int n = diagram_;
      EditResult r = edit("ポイント切替", prompt, [&](EditTools& tools, Prompt&) {
        return dia::switch_point(tools.route(), tools.dia(), n, event);
      });
      r.report(prompt);
      return changed_if(r);
    }
    case CellAction::TimeInput:
      return request(Request::TimeInput, cell.event);
    case CellAction::EventDetail:
      return request(Request::EventDetail, cell.event);
    case CellAction::Pass:
    case CellAction::Stop:
    case CellAction::ArrivalDeparture:
    case CellAction::StopNoPassengers:
    case CellAction::Terminate: {
      if (right_button) return handled();
      EditResult r = stop_command(event, command_of(cell.action), prompt);
      r.report(prompt);
      return changed_if(r);
    }
  }
  return handled();
}

Outcome DiaEditController::click(Point at, bool right_button, Prompt& prompt) {
  if (!live(diagram_)) return {};
  if (const Cell* cell = cell_at(layout_, at)) {
    const Cell hit = *cell;  // the edit may lay the window out again
    return run_cell(hit, right_button, prompt);
  }
  if (right_button) return handled();
  if (at.y < layout_.edited_top) return navigate(previous_run(), prompt, false);
  if (at.y >= layout_.edited_bottom) return navigate(next_run(), prompt, true);
  return handled();
}

void DiaEditController::page(int direction) {
  const int step = std::max(layout_.row_height, client_.height - 2 * layout_.row_height);
  const int most = std::max(0, layout_.content_height - client_.height);
  scroll_ = std::clamp(scroll_ + direction * step, 0, std::max(most, scroll_));
  if (direction < 0) scroll_ = std::max(0, scroll_);
}

void DiaEditController::wheel(int steps) {
  if (steps != 0) page(steps < 0 ? -1 : 1);
}

Outcome DiaEditController::key(EditKey key, bool shift, Prompt& prompt) {
  switch (key) {
    case EditKey::Tab:
      return command(kCmdAutoMeasure, prompt);
    case EditKey::Left:
      return navigate(shift ? first_run() : previous_run(), prompt, false);
    case EditKey::Right:
      return navigate(shift ? last_run() : next_run(), prompt, !shift);
    case EditKey::Up:
    case EditKey::Down:
      page(key == EditKey::Up ? -1 : 1);
      return handled();
    case EditKey::Escape: {
      select(0);
      Outcome o = handled();
      o.selection_changed = true;
      return o;
    }
    case EditKey::Other:
      break;
  }
  return {};
}

std::vector<DiaEditMenu> DiaEditController::menus() const {
  MenuState s;
  s.selected = live(diagram_);
  if (s.selected) {
    const dia::Diagram& d = data_.dia.diagrams[diagram_];
    s.is_template = d.pattern_template != 0;
    s.has_pattern = d.applied_pattern != 0;
    s.has_previous = previous_run() != 0;
    s.has_next = next_run() != 0;
    s.coupled = coupled_run() != 0;
  }
  s.can_undo = history_->can_undo();
  s.can_redo = history_->can_redo();
  s.detail_time = detail_time_;
  s.detail_dia = detail_dia_;
  s.auto_correct = correction_.on();
  s.extention = extention_;
  s.font_step = font_step_;
  return dia_edit_menus(s, english_);
}

Outcome DiaEditController::candidates_for(int command, Prompt& prompt) {
  if (!live(diagram_)) return handled();
  if (next_candidates(command).empty()) {
    prompt.tell(caption::kOperationError, kNoCandidatesText);
    return handled();
  }
  Outcome o = request(Request::NextCandidates);
  o.command = command;
  return o;
}

Outcome DiaEditController::command(int id, Prompt& prompt) {
  const int n = diagram_;
  auto working_edit = [&](const char* name, auto&& op) {
    EditResult r = edit(name, prompt, [&](EditTools& tools, Prompt& p) {
      return op(tools.workings(p), tools.dia());
    });
    r.report(prompt);
    Outcome o = changed_if(r);
    if (r.ok() && r.number() != n && live(r.number())) {
      select(r.number());
      o.selection_changed = true;
    }
    return o;
  };
  if (std::optional<Outcome> o = pattern_command(id, prompt)) return *o;
  if (id >= kCmdFontStep1 && id < kCmdFontStep1 + 5) {
    set_font_step(id - kCmdFontStep1 + 1);
    return handled();
  }
  switch (id) {
    case kCmdUndo: {
      Outcome o = handled();
      o.changed = undo();
      return o;
    }
    case kCmdRedo: {
      Outcome o = handled();
      o.changed = redo();
      return o;
    }
    case kCmdAutoMeasure: {
      EditResult r = edit("自動計測", prompt, [&](EditTools& tools, Prompt& p) {
        return auto_measure(tools, n, p);
      });
      r.report(prompt);
      return changed_if(r);
    }
    case kCmdDetailTime:
      detail_time_ = !detail_time_;
      return handled();
    case kCmdDetailDia:
      detail_dia_ = !detail_dia_;
      return handled();
    case kCmdAutoCorrect: {
      if (!live(n) || correction_.on()) {
        correction_.toggle(data_.dia, 0, EditTools(data_).timing());
        return handled();
      }
      // Switching on measures the edited run: one undo step.
      EditResult r = edit("時刻自動修正", prompt, [&](EditTools& tools, Prompt&) {
        correction_.toggle(tools.dia(), n, tools.timing());
        return EditResult::done(n);
      });
      return changed_if(r);
    }
    case kCmdPatternApply:
      return live(n) ? request(Request::PatternChoice) : handled();
    case kCmdPatternRelease: {
      EditResult r = apply_pattern(0, 0, prompt);
      r.report(prompt);
      return changed_if(r);
    }
    case kCmdFirstWorking:
      return navigate(first_run(), prompt, false);
    case kCmdPreviousWorking:
      return navigate(previous_run(), prompt, false);
    case kCmdCoupledWorking:
      return navigate(coupled_run(), prompt, false);
    case kCmdNextWorking:
      return navigate(next_run(), prompt, true);
    case kCmdLastWorking:
      return navigate(last_run(), prompt, false);
    case kCmdNewNextSame:
    case kCmdNewNextOpposite: {
      const bool turn_back = id == kCmdNewNextOpposite;
      return working_edit("次運用新規", [&](const dia::WorkingsContext& ctx, dia::DiaTables& d) {
        return dia::create_next_working(ctx, d, n, turn_back);
      });
    }
    case kCmdNewNextPattern:
      return live(n) ? request(Request::NextFromPattern) : handled();
    case kCmdEndWorking:
      return working_edit("次運用なし", [&](const dia::WorkingsContext& ctx, dia::DiaTables& d) {
        return dia::end_working(ctx, d, n);
      });
    case kCmdChooseNextSame:
    case kCmdChooseNextOpposite:
      return candidates_for(id, prompt);
    case kCmdCoupleNext:
    case kCmdSplitNext:
    case kCmdCouplingOrder:
      if (!extention_) {
        prompt.tell(kExtentionCaption, kExtentionText);
        return handled();
      }
      if (id == kCmdCoupleNext) return candidates_for(id, prompt);
      if (id == kCmdSplitNext) {
        return working_edit("次運用分割", [&](const dia::WorkingsContext&, dia::DiaTables& d) {
          return dia::split_next_working(d, n);
        });
      }
      return working_edit("併結順序変更", [&](const dia::WorkingsContext&, dia::DiaTables& d) {
        return dia::change_coupling_order(d, n);
      });
    case kCmdCommit:
    case kCmdCancel:
      return request(Request::RaiseMain);
    default:
      return handled();
  }
}

}  // namespace vosk::diaedit
