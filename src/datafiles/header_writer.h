#pragma once
// Writing the header member into a bundle: always version kFormatVersion,
// LF line ends (the bundle file gets CR LF on disk).
#include <string>

#include "datafiles/header_model.h"

namespace vosk::datafiles {

struct HeaderWriteInput {
  // The map and accident tables: the highest record number each holds now
  // (its extent, or its capacity). The size written is the larger of this
  // and the size in the header, so an unchanged data set writes back what it
  // read. Diagram, Train and Unit: the sizes of the dia being written,
  // written as given (Train and Unit are 0 in the map-only variant).
  TableSizes records = TableSizes::all(0);
  // Executed data: the bundle carries a stack member.
  bool with_stack = false;
  // The font face key of open display windows follows the start locale.
  bool english_start_locale = false;
  // The track panel's windows when a panel exists; without one the display
  // sections go out as they were read.
  const DisplayWindowSource* display_windows = nullptr;
};

// Appends the header member's content to `bundle`; the caller has written
// the member header line ("#temp.qvd"). Afterwards the header's loaded
// version is kFormatVersion and its sizes are the ones written.
void write_header(std::string& bundle, Header& header, const HeaderWriteInput& input);

}  // namespace vosk::datafiles
