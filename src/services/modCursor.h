#pragma once

namespace ferrowick::services::modCursor {

// The About box calls this on every mouse move over its own surface; it does nothing.
void CursorNoOp();

}  // namespace ferrowick::services::modCursor
