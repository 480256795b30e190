#pragma once

namespace fenwarp {

// State of the SDO access dialog.
class SdoEditor {};

}  // namespace fenwarp
