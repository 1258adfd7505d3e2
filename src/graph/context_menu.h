#pragma once
// The right-click menu of the train graph for the selected run: a header
// naming it, the stop items for the event nearest the click, the working
// items. The widget shows the list; the ids are the commands it sends back.
#include <string>
#include <vector>

namespace vosk::graph {

enum MenuId : int {
  kMenuLabel = 0,  // a disabled line of text
  kMenuClearSelection = 130,
  kMenuStopStandard = 131,
  kMenuStopLonger = 132,
  kMenuStopShorter = 133,
  kMenuStopDeparture = 134,
  kMenuPass = 136,
  kMenuTerminate = 137,
  kMenuDeleteRun = 161,
  kMenuNextSameDirection = 162,
  kMenuNextOppositeDirection = 163,
  kMenuNewNextSameDirection = 164,
  kMenuNewNextOppositeDirection = 165,
  kMenuNewNextFromPattern = 166,
  kMenuEndWorking = 167,
};

struct MenuItem {
  int id = kMenuLabel;
  std::string text;  // UTF-8
  bool enabled = true;
  bool checked = false;
  friend bool operator==(const MenuItem&, const MenuItem&) = default;
};

struct ContextMenu {
  std::vector<MenuItem> items;  // empty: no menu (the click selected a run instead)
  int diagram = 0;
  int event = -1;  // index of the event the stop items act on, -1 = none
};

}  // namespace vosk::graph
