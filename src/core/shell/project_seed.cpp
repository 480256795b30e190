#include "core/shell/project_seed.h"

namespace fenwarp {

void seed_project(Session& session, const ProjectContext& context) {
    const DocumentPaths& documents = context.documents;
    session.pargen.save_document(documents.pargen);
    session.sdo.save_document(documents.sdo);
    session.emcy.save_document(documents.emcydef);
    session.emcy_word.reset();
    session.emcy_word.save_document(documents.emcyword);
    session.pdo.save_document(documents.rpdodef);
    session.stored_pdo.reset_pdo_lists();
    session.stored_pdo.save_document(documents.sdopdo);
}

}  // namespace fenwarp
