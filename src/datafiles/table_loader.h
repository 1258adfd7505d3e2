#pragma once
// Loads every table of a data set from its members, in the order the tables
// depend on each other, then rebuilds the data derived from them. Damaged or
// missing members are warned about (once per member) and loading goes on
// with what is sound.
#include <string>

#include "base/prompt.h"
#include "datafiles/data_set.h"
#include "datafiles/member_lookup.h"

namespace vosk::datafiles {

struct LoadOptions {
  bool english = false;  // UI language, for rail labels
};

// `ds.header` must hold the header just read; every table is allocated from
// its sizes and read from the members it names.
void load_tables(DataSet& ds, MemberLookup& members, Prompt& prompt, const LoadOptions& options);

// Rebuilds what is derived from the tables and never stored: point numbers
// of tracks, rail labels, track lists, owning units, series use counts,
// duty positions. Run after loading and after edits that change them.
void rebuild_derived_data(DataSet& ds, bool english);

}  // namespace vosk::datafiles
