#include "services/modCursor.h"

namespace ferrowick::services::modCursor {

void CursorNoOp() {}

}  // namespace ferrowick::services::modCursor
