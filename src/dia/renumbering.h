#pragma once
// Removing a record from a classification table moves the records above it
// down by one; every reference into the table follows.
#include "base/renumbering.h"

namespace vosk::dia {

using vosk::remove_record;
using vosk::renumbered_after_removal;

}  // namespace vosk::dia
