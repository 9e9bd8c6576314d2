// The invoice search by serial number on the desktop: the list pattern's window over
// Serials with the line and order tables it joins, held open as long as the window.
#pragma once

#include "quay/views/window_registry.h"

namespace quay::desk {

// The factory of "InvoiceSerialBrowse": a child window of the frame, or a modal pick
// for Request::Select.
core::WindowResponse openInvoiceSerialBrowse(core::WindowContext& context, const core::WindowRequest& request);

}  // namespace quay::desk
