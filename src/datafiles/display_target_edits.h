#pragma once
// The display target list and its edit dialog over one data set: the
// display targets live in the dia's classification tables, the distance of
// every stopping place on each of them in the map's target records. The
// dialogs collect choices; these operations check them and change the data.
#include <string>
#include <vector>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "dia/display_target.h"
#include "dia/edit_result.h"

namespace vosk::datafiles {

// The target records' distance columns as the display target operations see them.
dia::MembershipColumns membership_columns(MapTables& map);

// コピー and 削除 of display target n (1-based) with its distance column.
dia::EditResult copy_display_target(DataSet& ds, int n);
dia::EditResult delete_display_target(DataSet& ds, int n, Prompt& prompt);

// One stopping place in the edit dialog's lists.
struct DisplayTargetRow {
  int target = 0;
  std::string text;  // "%s (%d[m])" when shown, the name alone when hidden; CP932
};

// 表示対象設定: edits a copy of display target n and stores it on OK.
class DisplayTargetEditor {
 public:
  DisplayTargetEditor(const DataSet& ds, int n);

  int number() const { return number_; }
  const std::string& name() const { return name_; }  // CP932
  bool cross_section() const { return flag_; }
  bool is_protected() const { return protected_; }
  void set_name(std::string cp932) { name_ = std::move(cp932); }
  void set_cross_section(bool on) { flag_ = on; }
  // Protection locks which places are shown and where.
  void set_protected(bool on) { protected_ = on; }

  // 表示: the places on the display target, nearest the line's start first;
  // 非表示: the others in target order.
  std::vector<DisplayTargetRow> shown() const;
  std::vector<DisplayTargetRow> hidden() const;
  // Distance in units of 10 m, -1 when the place is not shown.
  int distance(int target) const;

  // << moves places onto the display target: each takes its distance from
  // the first display target on which it has one, else 0. >> takes them
  // off. Both do nothing while protected.
  void show(const std::vector<int>& targets);
  void hide(const std::vector<int>& targets);
  // 表示位置 of a shown place, in metres (stored ÷ 10). Refused while
  // protected, for a hidden place and for a negative distance.
  dia::EditResult set_position(int target, int metres);

  // OK: name, both flags and the distances (-1 for hidden places).
  void store(DataSet& ds) const;

 private:
  const DataSet& source_;
  int number_;
  std::string name_;
  bool flag_ = false;
  bool protected_ = false;
  std::vector<int> distances_;  // by target number; [0] unused
};

}  // namespace vosk::datafiles
