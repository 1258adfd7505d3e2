#pragma once
// The dia edit window's pattern items on the data set: registering the
// edited run as a new pattern (登録), the pattern's information (情報),
// removing a pattern from the list (管理), and the choices those dialogs
// offer. Templates are diagrams of the dia, the patterns themselves belong
// to the classification tables.
#include <string>
#include <vector>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "dia/edit_result.h"
#include "dia/pattern.h"
#include "dia/pattern_choice.h"

namespace vosk::diaedit {

inline constexpr const char* kPatternEditCaption = "ダイヤパターン編集確認";
inline constexpr const char* kPatternEditQuestion =
    "このダイヤパターンは既に適用させています。\nダイヤパターンの変更は、既に指定されているダイヤに"
    "は適用されません。\nよろしいですか？\n";

// The pattern run n belongs to: the one applied to it, or the one it is the
// template of; 0 for none.
int pattern_of_run(const datafiles::DataSet& data, int n);

// Whether some run in use has pattern p applied.
bool pattern_in_use(const datafiles::DataSet& data, int p);

// 登録: run n becomes pattern N's template copy and takes N as its applied
// pattern (refused at 99 patterns with "ダイヤパターンはこれ以上増やせません。",
// ダイヤパターンエラー). Done names N.
dia::EditResult register_pattern(datafiles::DataSet& data, int n);

// The list of 管理: "<%s> %s" of every pattern, in number order (UTF-8).
std::vector<dia::PatternChoice> pattern_list(const datafiles::DataSet& data);

// The next patterns pattern p may name: "パターンなし", then the patterns
// whose template starts at the target where p's template ends.
std::vector<dia::PatternChoice> next_pattern_choices(const datafiles::DataSet& data, int p);

// 情報: stores next pattern, interval, base time and names of pattern p
// (names CP932; the template stays). Refused with the message of the value
// in error.
dia::EditResult set_pattern_info(datafiles::DataSet& data, int p, const dia::Pattern& values);

// 削除 in 管理: after "ダイヤパターン：<%s> %sを削除します。…" the pattern goes,
// its template diagram is freed, the runs it was applied to keep their
// events without a pattern, and the higher pattern numbers move down.
dia::EditResult remove_pattern(datafiles::DataSet& data, int p, Prompt& prompt);

}  // namespace vosk::diaedit
