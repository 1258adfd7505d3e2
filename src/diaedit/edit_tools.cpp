#include "diaedit/edit_tools.h"

#include "datafiles/dia_tools.h"

namespace vosk::diaedit {

EditTools::EditTools(datafiles::DataSet& data, bool correct_after_route_change)
    : data_(data),
      view_{data.map.rails, data.map.prails, data.map.points, data.map.targets, data.map.stations},
      tables_(view_.tables()),
      index_(view_),
      timing_(tables_, data.classification, datafiles::timing_settings(data.header)),
      follow_up_(view_, index_, timing_, correct_after_route_change),
      route_{view_, index_, timing_, &follow_up_},
      hooks_(dia::route_hooks(route_, data.dia)) {}

}  // namespace vosk::diaedit
