#include "map/rail_check.h"

#include <cstdlib>
#include <string>

#include "base/format.h"
#include "base/sjis.h"

namespace vosk::map {
namespace {

constexpr const char* kCaption = "ファイル読み込み警告";
constexpr const char* kRailText =
    "レールデータが不正です。正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n";
constexpr const char* kDisplayText =
    "レール表示データが不正です。正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n";
constexpr const char* kDualText =
    "双方向レールデータが不正です。正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n";
constexpr const char* kPackText =
    "双方向パックレールデータが不正です。正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n";

enum class Step { Next, Stop, Abandon };

class Checker {
 public:
  Checker(RecordTable<Rail>& rails, const RecordTable<PRail>& prails, Prompt& prompt)
      : rails_(rails), prails_(prails), prompt_(prompt) {}

  // Shows one report; Retry goes on, Ignore stops checking, Abort abandons.
  Step report(const char* text, const std::string& diagnostic) {
    Answer a = prompt_.ask(kCaption, std::string(text) + diagnostic, Buttons::AbortRetryIgnore);
    if (a == Answer::Abort) return Step::Abandon;
    if (a == Answer::Ignore) return Step::Stop;
    return Step::Next;
  }

  // Rail referenced by a link, or null when the link names no rail.
  const Rail* linked(int link) const {
    int n = std::abs(link);
    return rails_.names_record(n) ? &rails_[n] : nullptr;
  }

  Step check_rail(int i, bool map_pos_check);
  Step check_prail(int p);

  RecordTable<Rail>& rails_;
  const RecordTable<PRail>& prails_;
  Prompt& prompt_;
};

#define VOSK_REPORT(text, ...)                                  \
  do {                                                          \
    Step s = report(text, format(__VA_ARGS__));                 \
    if (s != Step::Next) return s;                              \
  } while (0)

Step Checker::check_rail(int i, bool map_pos_check) {
  Rail& r = rails_[i];
  if (r.l_next == 0 && r.signal == 0) {
    std::string label = sjis::to_utf8_lossy(r.label.empty() ? r.name : r.label);
    Answer a = prompt_.ask(
        kCaption,
        format("レールデータが不正です。\n%sの信号設定を自動修正します。\nよろしいですか？\n",
               label.c_str()),
        Buttons::YesNo);
    if (a == Answer::Yes) r.signal = 1;
  }
  const Rail* next = r.l_next > 0 ? linked(r.l_next) : nullptr;
  const Rail* back = r.l_back > 0 ? linked(r.l_back) : nullptr;
  if (r.l_next > 0 && (!next || std::abs(next->l_back) != i))
    VOSK_REPORT(kRailText, " l_next i:%d l_next:%d\n", i, r.l_next);
  if (map_pos_check) {
    if (r.l_back > 0 && (!back || std::abs(back->l_next) != i))
      VOSK_REPORT(kRailText, " l_back i:%d l_back:%d\n", i, r.l_back);
    if (r.row != 0) {
      if (next && r.row_pos_x_next != next->row_pos_x_back)
        VOSK_REPORT(kDisplayText, " row_pos_x i:%d(%d) l_next(%d):%d\n", i, r.row_pos_x_next,
                    r.l_next, next->row_pos_x_back);
      if (back && r.row_pos_x_back != back->row_pos_x_next)
        VOSK_REPORT(kDisplayText, " row_pos_x i:%d(%d) l_next(%d):%d\n", i, r.row_pos_x_back,
                    r.l_back, back->row_pos_x_next);
      if (next && r.row_pos_y_next != next->row_pos_y_back)
        VOSK_REPORT(kDisplayText, " row_pos_y i:%d(%d) l_next(%d):%d\n", i, r.row_pos_y_next,
                    r.l_next, next->row_pos_y_back);
      if (back && r.row_pos_y_back != back->row_pos_y_next)
        VOSK_REPORT(kDisplayText, " row_pos_y i:%d(%d) l_back(%d):%d\n", i, r.row_pos_y_back,
                    r.l_back, back->row_pos_y_next);
    }
  }
  if (r.l_dual != 0) {
    const Rail* dual = linked(r.l_dual);
    if (!dual || dual->l_pack != r.l_pack) VOSK_REPORT(kRailText, " l_pack i:%d l_dual:%d\n", i, r.l_dual);
  }
  if (r.l_pack != 0) {
    bool carried = prails_.names_record(r.l_pack) &&
                   (prails_[r.l_pack].rail_a == i || prails_[r.l_pack].rail_b == i);
    if (!carried) VOSK_REPORT(kRailText, " l_pack i:%d l_pack:%d\n", i, r.l_pack);
  }
  return Step::Next;
}

Step Checker::check_prail(int p) {
  const PRail& pr = prails_[p];
  const Rail* a = rails_.names_record(pr.rail_a) ? &rails_[pr.rail_a] : nullptr;
  const Rail* b = rails_.names_record(pr.rail_b) ? &rails_[pr.rail_b] : nullptr;
  if (pr.rail_a != 0 && (!a || a->l_pack != p)) VOSK_REPORT(kDualText, " l_pack i:%d l_dual:%d\n", p, pr.rail_a);
  if (pr.rail_b != 0 && (!b || b->l_pack != p)) VOSK_REPORT(kPackText, " l_pack i:%d l_dual:%d\n", p, pr.rail_b);
  if (a && b && a->length != b->length)
    VOSK_REPORT(kRailText, " dist error %d:%d %d:%d\n", pr.rail_a, a->length, pr.rail_b, b->length);
  if (a && b && a->area != b->area)
    VOSK_REPORT(kRailText, " area error %d:%d %d:%d\n", pr.rail_a, a->area, pr.rail_b, b->area);
  return Step::Next;
}

#undef VOSK_REPORT

}  // namespace

RailCheckResult check_rail_data(RecordTable<Rail>& rails, const RecordTable<PRail>& prails,
                                bool map_pos_check, Prompt& prompt) {
  Checker checker(rails, prails, prompt);
  for (int i = 1; i <= rails.extent(); ++i) {
    Step s = checker.check_rail(i, map_pos_check);
    if (s == Step::Abandon) return RailCheckResult::Abandoned;
    if (s == Step::Stop) return RailCheckResult::Accepted;
  }
  for (int p = 1; p <= prails.extent(); ++p) {
    Step s = checker.check_prail(p);
    if (s == Step::Abandon) return RailCheckResult::Abandoned;
    if (s == Step::Stop) return RailCheckResult::Accepted;
  }
  return RailCheckResult::Accepted;
}

}  // namespace vosk::map
