#include "samples/interlocking.h"

#include <string>
#include <vector>

#include "base/prompt.h"
#include "map/lever_rebuild.h"

namespace vosk::samples {
namespace {

// The rebuild's only question is whether the levers run under request
// control; the sample says yes.
class RequestControl : public Prompt {
 public:
  Answer ask(const std::string&, const std::string&, Buttons) override { return Answer::Yes; }
};

// The main window's panel: levers and buttons whose symbols are shown (the
// fixed routes of one-way tracks keep theirs hidden). No placement and no
// font record, so the editor's own settings stand in for them.
std::vector<std::string> main_panel_lines() {
  return {"ViewType=0",      "ViewFor=0",      "SmartView=0",    "TrackView=0", "RailView=0",
          "RouteView=0",     "BoardView=0",    "FlatteryView=0", "InterView=2", "ViewImage16=0",
          "ClockPosition=0", "ViewToolBar=1",  "ScaleX=4096",    "ScaleY=4096", "ScrollPosX=0",
          "ScrollPosY=0",    "FlatteryTrain=0"};
}

}  // namespace

void write_interlocking(datafiles::DataSet& data) {
  datafiles::MapSettings& settings = data.header.map;
  settings.use_area = 1;
  settings.use_interlocking = 1;
  datafiles::MapTables& m = data.map;
  map::InterlockingTables tables{m.rails, m.prails, m.route_levers, m.route_buttons};
  map::LeverRebuildOptions options;
  options.atc = settings.safety_system != datafiles::SafetySystem::Ats;
  RequestControl prompt;
  map::rebuild_levers_and_buttons(tables, options, prompt);
  datafiles::DisplayWindowSection& main_panel = data.header.display_windows[0];
  main_panel.open = true;
  main_panel.lines = main_panel_lines();
}

}  // namespace vosk::samples
