#pragma once

#include <filesystem>

#include "core/banks/bank_images.h"
#include "core/check/findings_list.h"
#include "core/documents/emcy/emcy_editor.h"
#include "core/documents/emcyword/emcy_word_editor.h"
#include "core/documents/pargen/pargen_editor.h"
#include "core/documents/pdo/pdo_editor.h"
#include "core/documents/sdo/sdo_editor.h"
#include "core/documents/sdopdo/stored_pdo_editor.h"
#include "core/documents/workbook/workbook_access.h"
#include "core/firmware/firmware_editor.h"
#include "core/shell/help/help_viewer.h"
#include "core/shell/new_project.h"
#include "core/shell/workspace.h"
#include "core/xml/string_picker.h"
#include "core/xml/xml_tree_editor.h"

namespace fenwarp {

// Everything that lives for the whole process: the workspace, the state of
// every dialog and the bank images. Created once at start.
struct Session {
    explicit Session(const std::filesystem::path& exe_dir) : workspace(exe_dir) {}

    ProjectContext& context() { return workspace.context(); }

    Workspace workspace;
    NewProject new_project;
    PargenEditor pargen;
    SdoEditor sdo;
    PdoEditor pdo;
    EmcyEditor emcy;
    StoredPdoEditor stored_pdo;
    EmcyWordEditor emcy_word;
    WorkbookAccess workbook;  // the one connection and query of every table import
    FirmwareEditor firmware;
    HelpViewer help;
    BankImages banks;
    FindingsList findings;  // the check's findings shown before Update Device compiles
    XmlTreeEditor xml_tree;
    StringPicker strings;
};

}  // namespace fenwarp
