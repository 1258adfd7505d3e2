#pragma once
// Four stations A, B, C, D and an empty passenger list; the controller over
// them with a client area of 700 × 400.
#include "datafiles/data_set.h"
#include "passengers/passenger_controller.h"
#include "support/scripted_prompt.h"

namespace vosk::testing {

struct PassengerLine {
  datafiles::DataSet ds;
  ScriptedPrompt prompt;

  PassengerLine() {
    const char* names[] = {"A", "B", "C", "D"};
    for (int n = 1; n <= 4; ++n) ds.map.stations.grow_to(n).name = names[n - 1];
  }

  dia::PassengerList& list() { return ds.classification.passengers; }

  void add_pair(int from, int to, std::initializer_list<passengers::ProfilePoint> points) {
    for (const passengers::ProfilePoint& p : points) list().push_back({from, to, p.time, p.count});
  }
};

}  // namespace vosk::testing
