// The pattern items and 情報 of the dia edit window's controller.
#include "diaedit/dia_edit_controller.h"
#include "diaedit/pattern_commands.h"

namespace vosk::diaedit {
namespace {

using dia::EditResult;

Outcome asks_for(Outcome::Request what, int pattern = 0) {
  Outcome o;
  o.handled = true;
  o.request = what;
  o.pattern = pattern;
  return o;
}

}  // namespace

int DiaEditController::current_pattern() const { return pattern_of_run(data_, diagram_); }

EditResult DiaEditController::register_pattern(Prompt&) {
  EditResult r = diaedit::register_pattern(data_, diagram_);
  if (r.ok()) {
    history_->clear();
    saw_dia();
  }
  return r;
}

EditResult DiaEditController::set_pattern_info(int pattern, const dia::Pattern& values) {
  return diaedit::set_pattern_info(data_, pattern, values);
}

EditResult DiaEditController::remove_pattern(int pattern, Prompt& prompt) {
  EditResult r = diaedit::remove_pattern(data_, pattern, prompt);
  if (r.ok()) {
    history_->clear();
    saw_dia();
    data_changed();  // the edited run may have been the template
  }
  return r;
}

bool DiaEditController::edit_pattern_template(int pattern, Prompt& prompt) {
  const auto& patterns = data_.classification.patterns;
  if (!patterns.names_record(pattern) || !live(patterns[pattern].template_diagram)) return false;
  if (pattern_in_use(data_, pattern) &&
      !dia::confirmed(prompt, kPatternEditCaption, kPatternEditQuestion))
    return false;
  select(patterns[pattern].template_diagram);
  return true;
}

std::optional<Outcome> DiaEditController::pattern_command(int id, Prompt& prompt) {
  switch (id) {
    case kCmdInfo:
      return live(diagram_) ? asks_for(Outcome::Request::RunSettings) : Outcome{true};
    case kCmdPatternRegister: {
      EditResult r = register_pattern(prompt);
      r.report(prompt);
      Outcome o{true};
      o.changed = r.ok();
      return o;
    }
    case kCmdPatternEdit: {
      Outcome o{true};
      o.selection_changed = edit_pattern_template(current_pattern(), prompt);
      return o;
    }
    case kCmdPatternInfo: {
      const int p = current_pattern();
      return p != 0 ? asks_for(Outcome::Request::PatternInfo, p) : Outcome{true};
    }
    case kCmdPatternManage:
      return asks_for(Outcome::Request::PatternManage);
    default:
      return std::nullopt;
  }
}

}  // namespace vosk::diaedit
