#include "dia/diagram.h"

namespace vosk::dia {

std::size_t Diagram::event_count() const {
  std::size_t k = 0;
  while (k < events.size() && events[k].type != kEventEnd) ++k;
  return k;
}

void Diagram::reserve_events(int capacity) {
  if (capacity > 0) events.reserve(static_cast<std::size_t>(capacity));
}

}  // namespace vosk::dia
