#include "dia/route_context.h"

namespace vosk::dia {

void RouteFollowUp::relink(DiaTables&, int, int) {}
void RouteFollowUp::retime(DiaTables&, int, std::size_t) {}
void RouteFollowUp::check(DiaTables&, int) {}

}  // namespace vosk::dia
