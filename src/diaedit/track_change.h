#pragma once
// 番線変更: the track a run stops on at a station, changed from the timetable
// window by setting the point in front of the stop to its next branch.
#include <cstddef>

#include "dia/edit_result.h"
#include "diaedit/edit_tools.h"

namespace vosk::diaedit {

// Stop (or arrival) i of run n moves to another track of its station: the
// point entry nearest before it, after the run left the previous station,
// is switched (ポイント切替, with its refusals) until the run stops at the
// station on another rail. Declined when no point leads to the stop, when
// the branches all come back to the same track or when no branch keeps the
// stop at the station; the dia may then be half changed, so the caller
// restores it on anything but success.
dia::EditResult change_stop_track(EditTools& tools, int n, std::size_t i);

}  // namespace vosk::diaedit
