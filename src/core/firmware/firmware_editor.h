#pragma once

namespace fenwarp {

// State of the firmware dialog.
class FirmwareEditor {};

}  // namespace fenwarp
