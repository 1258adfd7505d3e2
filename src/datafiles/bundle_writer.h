#pragma once
// Assembles the bundle text of a data set: the header member, then every
// table member in the fixed order the simulators expect.
#include <functional>
#include <string>
#include <string_view>

#include "datafiles/data_set.h"
#include "datafiles/header_display.h"

namespace vosk::datafiles {

struct BundleWriteOptions {
  bool english_start_locale = false;
  // The track panel's windows, when a panel exists.
  const DisplayWindowSource* display_windows = nullptr;
  // Executed data: writes the stack member's content (without its header
  // line) and names it in the header.
  std::function<void(std::string&)> stack_member;
  // Called with each member's name as it is written (progress text).
  std::function<void(std::string_view)> on_member;
};

// The table sizes a data set's tables call for now: each table's capacity.
TableSizes table_records(const DataSet& ds);

// The bundle text (LF line ends). Writing updates the header's loaded
// version and table sizes to what was written.
std::string write_bundle(DataSet& ds, const BundleWriteOptions& options = {});

}  // namespace vosk::datafiles
