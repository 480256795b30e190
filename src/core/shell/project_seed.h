#pragma once

#include "core/shell/session.h"

namespace fenwarp {

// Seeds a new project: every editor writes what it holds now, in this order:
// pargen.xml, sdo.xml, emcydef.xml, emcyword.xml (emptied first), rpdodef.xml,
// sdopdo.xml (its PDO lists emptied first). An error passes on and the
// documents after it are not written.
void seed_project(Session& session, const ProjectContext& context);

}  // namespace fenwarp
