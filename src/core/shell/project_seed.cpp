#include "core/shell/project_seed.h"

namespace fenwarp {

void seed_project(Session& session, const ProjectContext& context) {
    session.pargen.save_document(context.documents.pargen);
    session.sdo.save_document(context.documents.sdo);
}

}  // namespace fenwarp
