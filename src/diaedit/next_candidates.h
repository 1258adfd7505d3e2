#pragma once
// The candidate list of 次運用選択 and 次運用併結 as the dialog shows it: one
// row per run with the columns of the dia edit window's summary of a run.
#include <string>
#include <vector>

#include "datafiles/data_set.h"
#include "dia/next_working_candidates.h"

namespace vosk::diaedit {

struct CandidateRow {
  int run = 0;
  // UTF-8.
  std::string train_number, train_type, destination, formation;
  std::string from, departure, to, arrival;
};

// The candidates for run n (dia::next_working_candidates), with their texts.
std::vector<CandidateRow> candidate_rows(datafiles::DataSet& data, int n,
                                         dia::NextDirection direction,
                                         dia::NextUse use = dia::NextUse::Follow);

}  // namespace vosk::diaedit
