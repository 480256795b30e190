#include "core/documents/workbook/workbook_reader.h"

#include "core/documents/workbook/ods_reader.h"
#include "core/documents/workbook/workbook_error.h"
#include "core/documents/workbook/xls_reader.h"
#include "core/documents/workbook/xlsx_reader.h"
#include "core/documents/workbook/zip_archive.h"
#include "core/input_file.h"

namespace fenwarp {

namespace {

constexpr std::string_view ole2_signature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
constexpr std::string_view ods_mimetype = "application/vnd.oasis.opendocument.spreadsheet";

}  // namespace

WorkbookFormat workbook_format(const WorkbookFile& file) {
    const std::string_view bytes = file.bytes;
    if (bytes.substr(0, ole2_signature.size()) == ole2_signature) return WorkbookFormat::Xls;
    if (!looks_like_zip(bytes)) {
        throw WorkbookError("Cannot open workbook " + file.path.string() +
                            ": it is no .xls, .xlsx or .ods workbook");
    }
    const ZipArchive zip(bytes, file.path.string());
    if (zip.has("xl/workbook.xml")) return WorkbookFormat::Xlsx;
    if (zip.has("mimetype")) {
        std::string mimetype = zip.read("mimetype");
        while (!mimetype.empty() && (mimetype.back() == '\n' || mimetype.back() == '\r')) {
            mimetype.pop_back();
        }
        if (mimetype == ods_mimetype) return WorkbookFormat::Ods;
    } else if (zip.has("content.xml")) {
        return WorkbookFormat::Ods;
    }
    throw WorkbookError("Workbook " + file.path.string() +
                        " is a zip container without a spreadsheet (.xlsx or .ods)");
}

std::unique_ptr<WorkbookReader> workbook_reader(WorkbookFormat format) {
    switch (format) {
        case WorkbookFormat::Xls:
            return std::make_unique<XlsReader>();
        case WorkbookFormat::Xlsx:
            return std::make_unique<XlsxReader>();
        case WorkbookFormat::Ods:
            return std::make_unique<OdsReader>();
    }
    return nullptr;
}

WorkbookData read_workbook_file(const std::filesystem::path& path) {
    std::optional<std::string> bytes = read_regular_file(path);
    if (!bytes) {
        throw WorkbookError("Cannot open workbook " + path.string() +
                            ": it is missing or not a regular file");
    }
    WorkbookFile file{path, std::move(*bytes)};
    return workbook_reader(workbook_format(file))->read(file);
}

}  // namespace fenwarp
