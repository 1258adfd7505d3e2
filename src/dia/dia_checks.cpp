#include "dia/dia_checks.h"

#include "dia/check_text.h"
#include "dia/dia_operations.h"
#include "dia/effective_length.h"

namespace vosk::dia {
namespace {

const Cp932Template& missing_times_text() {
  static const Cp932Template text(
      "時刻が未設定の部分があります。TABキーを押して、自動計測を行って下さい。");
  return text;
}

const Cp932Template& pattern_changed_text() {
  static const Cp932Template text(
      "ダイヤパターンが変更されています。TABキーを押して、再適用を行って下さい。");
  return text;
}

}  // namespace

bool report_missing_times(const DiaTables& dia, int n, CheckReport& report) {
  if (!times_missing(dia, n)) return false;
  report.line(missing_times_text().text());
  return true;
}

bool report_pattern_changed(const DiaTables& dia, int n, CheckReport& report) {
  if (!dia.diagrams.names_record(n)) return false;
  const Diagram& d = dia.diagrams[n];
  if (!d.in_use() || d.applied_pattern == 0 || d.pattern_changed != 1) return false;
  report.line(pattern_changed_text().text());
  return true;
}

SelectionCheck check_selected_run(const CheckContext& ctx, const OccupationIndex& index, int n,
                                  const CheckSettings& settings, CheckReport& report) {
  SelectionCheck result;
  result.times_missing = report_missing_times(ctx.dia, n, report);
  result.overlap = check_platform_overlap(ctx, index, n, settings.use_duplicate, report);
  result.pattern_changed = report_pattern_changed(ctx.dia, n, report);
  result.electrification = check_electrification(ctx, n, settings.use_electri, report);
  return result;
}

std::vector<RunFindings> check_all_runs(const CheckContext& ctx, const CheckSettings& settings) {
  // Writes a run's lines straight into its findings, leaving out the
  // all-clear line of the overlap check.
  class FindingsReport : public CheckReport {
   public:
    explicit FindingsReport(ReportLines& lines) : lines_(lines) {}
    void line(std::string_view cp932_text) override {
      if (cp932_text != no_overlap_) lines_.push_back(cp932_text);
    }

   private:
    ReportLines& lines_;
    const std::string& no_overlap_ = no_overlap_text();
  };

  std::vector<RunFindings> out;
  OccupationIndex index(ctx);
  RunFindings findings;
  for (int n = 1; n <= ctx.dia.diagrams.extent(); ++n) {
    const Diagram* d = ctx.run(n);
    if (d == nullptr || d->pattern_template != 0) continue;
    findings.run = n;
    FindingsReport report(findings.lines);
    bool found = report_missing_times(ctx.dia, n, report);
    found = !report_effective_length(ctx, n, report) || found;
    found = !check_platform_overlap(ctx, index, n, settings.use_duplicate, report).ok || found;
    found = report_pattern_changed(ctx.dia, n, report) || found;
    found = !check_electrification(ctx, n, settings.use_electri, report).ok || found;
    if (!found) {
      findings.lines.clear();
      continue;
    }
    out.push_back(std::move(findings));
    findings = RunFindings{};
  }
  return out;
}

}  // namespace vosk::dia
