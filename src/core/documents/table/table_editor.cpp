#include "core/documents/table/table_editor.h"

#include "core/documents/workbook/workbook_export.h"

namespace fenwarp {

void TableEditor::export_xlsx(const std::filesystem::path& project_dir) const {
    write_table_workbook(table(), sheet_records(), workbook_path(project_dir, table().base_name));
}

}  // namespace fenwarp
