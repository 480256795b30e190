#include "core/documents/workbook/workbook_export.h"

#include <xlsxwriter.h>

#include <random>
#include <system_error>

#include "core/documents/table/table_writer.h"
#include "core/documents/workbook/xstring_escape.h"
#include "core/error.h"
#include "core/input_file.h"
#include "core/output_file.h"

namespace fenwarp {

namespace fs = std::filesystem;

namespace {

// The most characters a workbook cell holds.
constexpr std::size_t cell_text_limit = 32767;

// A folder of our own beside the target, for the files libxlsxwriter writes
// by name; it is created exclusively, so no link can stand in it, and removed
// with whatever it holds at the end.
class ScratchFolder {
  public:
    explicit ScratchFolder(const fs::path& target) {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            fs::path candidate = target;
            candidate += "." + std::to_string(random()) + ".d";
            std::error_code ec;
            if (fs::create_directory(candidate, ec)) {
                path_ = candidate;
                fs::permissions(path_, fs::perms::owner_all, ec);
            } else if (ec) {
                throw Error("Cannot write file " + target.string() + ": " + ec.message());
            }
        }
        if (path_.empty()) throw Error("Cannot write file " + target.string());
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

// Closes an unfinished workbook on the way out of a failure.
struct WorkbookHandle {
    lxw_workbook* book = nullptr;
    ~WorkbookHandle() {
        if (book != nullptr) workbook_close(book);
    }
};

[[noreturn]] void fail(const fs::path& file, const std::string& reason) {
    throw Error("Cannot write file " + file.string() + ": " + reason);
}

void write_row(lxw_worksheet* sheet, lxw_row_t row, const TableRecord& fields,
               const fs::path& file) {
    for (std::size_t f = 0; f < fields.size(); ++f) {
        if (fields[f].empty()) continue;
        const std::string text = escape_literal_xstrings(fields[f]);
        if (text.size() > cell_text_limit) {
            fail(file, "row " + std::to_string(row + 1) + " holds a field longer than " +
                           std::to_string(cell_text_limit) + " characters");
        }
        const lxw_error rc =
            worksheet_write_string(sheet, row, static_cast<lxw_col_t>(f), text.c_str(), nullptr);
        if (rc != LXW_NO_ERROR) fail(file, lxw_strerror(rc));
    }
}

// The workbook's bytes, built by libxlsxwriter in the scratch folder.
std::string build_workbook(const TableDescription& table, const std::vector<TableRecord>& records,
                           const fs::path& file) {
    const ScratchFolder scratch(file);
    const fs::path built = scratch.path() / "table.xlsx";
    std::string tmpdir = scratch.path().string();
    lxw_workbook_options options{};
    options.tmpdir = tmpdir.data();
    WorkbookHandle handle{workbook_new_opt(built.string().c_str(), &options)};
    if (handle.book == nullptr) fail(file, "the workbook cannot be made");
    lxw_worksheet* sheet = workbook_add_worksheet(handle.book, table.base_name);
    if (sheet == nullptr) fail(file, "the sheet cannot be made");
    write_row(sheet, 0, table.attributes, file);
    for (std::size_t r = 0; r < records.size(); ++r) {
        write_row(sheet, static_cast<lxw_row_t>(r + 1), records[r], file);
    }
    lxw_workbook* book = handle.book;
    handle.book = nullptr;
    const lxw_error rc = workbook_close(book);
    if (rc != LXW_NO_ERROR) fail(file, lxw_strerror(rc));
    std::optional<std::string> bytes = read_regular_file(built);
    if (!bytes) fail(file, "the workbook was not made");
    return std::move(*bytes);
}

}  // namespace

fs::path workbook_path(const fs::path& project_dir, std::string_view base_name) {
    return project_dir / (std::string(base_name) + ".xlsx");
}

void write_table_workbook(const TableDescription& table, const std::vector<TableRecord>& records,
                          const fs::path& file) {
    for (std::size_t r = 0; r < records.size(); ++r) {
        check_record_characters(table, records[r], "record " + std::to_string(r + 1));
    }
    // Refused before anything is made beside it.
    refuse_unless_regular_or_absent(file);
    const std::string bytes = build_workbook(table, records, file);
    OutputFile out(file);
    out.write(bytes);
    out.commit();
}

}  // namespace fenwarp
