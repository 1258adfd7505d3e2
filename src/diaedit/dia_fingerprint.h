#pragma once
// A checksum of the dia's duties, formations and runs, so that the dia edit
// window can tell that another window changed the dia since its own last
// step: an undo would otherwise put back a copy that silently drops that
// change.
#include <cstdint>

#include "dia/dia_tables.h"

namespace vosk::diaedit {

std::uint64_t dia_fingerprint(const dia::DiaTables& dia);

}  // namespace vosk::diaedit
