#pragma once
// The recording surface lives in the core (benchmarks count with it too);
// tests keep reaching it under the testing namespace.
#include "base/recording_surface.h"

namespace vosk::testing {
using vosk::DrawOp;
using vosk::OpKind;
using vosk::RecordingSurface;
}  // namespace vosk::testing
