// Workbooks in the three formats: a table exported to .xlsx and the same table
// saved by LibreOffice as .xlsx, .ods and .xls all import to the document the
// table was exported from, byte for byte; cells without a value to take and
// damaged containers are refused with a message, the table untouched.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <memory>
#include <string>
#include <vector>

#include "../fixtures/workbook_fixtures.h"
#include "core/documents/table/table_catalogue.h"
#include "core/documents/table/table_writer.h"
#include "core/documents/table_editors.h"
#include "core/documents/workbook/import_report.h"
#include "core/documents/workbook/workbook_access.h"
#include "core/documents/workbook/workbook_error.h"
#include "core/documents/workbook/workbook_export.h"
#include "core/documents/workbook/workbook_reader.h"
#include "core/documents/workbook/xlsx_reader.h"
#include "core/documents/workbook/xstring_escape.h"
#include "core/documents/workbook/zip_archive.h"
#include "core/messages.h"
#include "core/output_file.h"
#include "test_support.h"

namespace fenwarp {
namespace {

namespace fs = std::filesystem;

const fs::path fixtures = fs::path(FENWARP_TEST_SOURCE_DIR) / "fixtures" / "workbooks";

// A project folder holding the fixture documents, the table's own emptied
// when `empty_table` names it, so that an import has everything to fill.
class Project {
  public:
    explicit Project(const char* empty_table = nullptr) {
        for (const auto& entry : fs::directory_iterator(fixtures / "project")) {
            fs::copy_file(entry.path(), dir_ / entry.path().filename().string());
        }
        if (empty_table != nullptr) {
            test::write_file(dir_ / (std::string(empty_table) + ".xml"),
                             "<" + std::string(empty_table) + "/>");
        }
    }
    const fs::path& path() const { return dir_.path(); }
    fs::path document(const TableDescription& table) const { return dir_ / table.document; }

    std::unique_ptr<TableEditor> loaded(const TableDescription& table) const {
        std::unique_ptr<TableEditor> editor = make_table_editor(table);
        MessageRecorder messages;
        editor->load(document(table), messages);
        EXPECT_TRUE(messages.texts.empty()) << table.base_name;
        return editor;
    }

  private:
    test::TempDir dir_;
};

std::string fixture_document(const TableDescription& table) {
    return test::read_file(fixtures / "project" / table.document);
}

// Imports the workbook into the project's emptied table under a name that
// tells nothing of its format, saves, and gives the document written.
std::string import_and_save(const TableDescription& table, const fs::path& workbook) {
    const Project project(table.base_name);
    const fs::path nameless = project.path() / "workbook.bin";
    fs::copy_file(workbook, nameless);
    std::unique_ptr<TableEditor> editor = project.loaded(table);
    WorkbookAccess access;
    const ImportResult result = editor->import_workbook(nameless, access);
    EXPECT_EQ(result.status, ImportStatus::Completed) << result.reason;
    EXPECT_TRUE(result.skipped.empty());
    editor->save_document(project.document(table));
    return test::read_file(project.document(table));
}

TEST(WorkbookRoundTrip, AnExportedWorkbookImportsToTheSameDocument) {
    for (const TableDescription* table : table_catalogue()) {
        SCOPED_TRACE(table->base_name);
        const Project project;
        project.loaded(*table)->export_xlsx(project.path());
        const fs::path workbook = workbook_path(project.path(), table->base_name);
        EXPECT_EQ(import_and_save(*table, workbook), fixture_document(*table));
        // The same file as .xlsx, whatever the records: no blank row, a heading row.
        const WorkbookData data = read_workbook_file(workbook);
        ASSERT_EQ(data.sheets.size(), 1u);
        EXPECT_EQ(data.sheets[0].name, table->base_name);
        EXPECT_EQ(data.sheets[0].cells.at({0, 0}), table->attributes[0]);
    }
}

TEST(WorkbookRoundTrip, TheExportSavedByLibreOfficeInEveryFormatImportsToTheSameDocument) {
    for (const TableDescription* table : table_catalogue()) {
        for (const char* format : {".xlsx", ".ods", ".xls"}) {
            SCOPED_TRACE(std::string(table->base_name) + format);
            const fs::path workbook =
                fixtures / "libreoffice" / (std::string(table->base_name) + format);
            EXPECT_EQ(import_and_save(*table, workbook), fixture_document(*table));
        }
    }
}

TEST(WorkbookRoundTrip, TextsStayAsTyped) {
    const Project project;
    project.loaded(sdo_table())->export_xlsx(project.path());
    const WorkbookData data = read_workbook_file(workbook_path(project.path(), "sdo"));
    const auto& cells = data.sheets.at(0).cells;
    auto has = [&](const std::string& text) {
        for (const auto& [at, value] : cells) {
            if (value == text) return true;
        }
        return false;
    };
    for (const char* text : {"0x2000", "007", "00", "1.50", "1E3", "TRUE", "  two  spaces "}) {
        EXPECT_TRUE(has(text)) << text;
    }
}

// A spreadsheet's own sheets: formulas through their stored values,
// booleans, fractions and spaces as LibreOffice saved them.
TEST(WorkbookCells, AFormulaImportsTheValueStoredWithIt) {
    for (const char* format : {".xlsx", ".ods"}) {
        SCOPED_TRACE(format);
        std::unique_ptr<TableEditor> editor = make_table_editor(sdo_table());
        WorkbookAccess access;
        const ImportResult result = editor->import_workbook(
            fixtures / "cells" / (std::string("sdo_formula") + format), access);
        ASSERT_EQ(result.status, ImportStatus::Completed) << result.reason;
        const std::vector<TableRecord> records = editor->document_records();
        ASSERT_EQ(records.size(), 2u);  // CAN 0 first: conf 0, then conf 17
        EXPECT_EQ(records[0], (TableRecord{"0", "0x2001", "1", "2.5", "0x6001", "1", "4",
                                           "two  spaces, one span"}));
        EXPECT_EQ(records[1], (TableRecord{"17", "0x2000", "1", "5", "0x6000", "0", "2", "speed"}));
    }
}

struct RefusedCase {
    const char* file;
    const char* reason;
};

TEST(WorkbookCells, DatesAndErrorsStopTheImportNamingTheCell) {
    const RefusedCase cases[] = {
        {"sdo_date.xlsx", "Sheet sdo, row 3, column E holds a date: enter it as text"},
        {"sdo_date.ods", "Sheet sdo, row 3, column E holds a date: enter it as text"},
        {"sdo_error.xlsx", "Sheet sdo, row 2, column C holds the error #DIV/0!"},
        {"sdo_error.ods", "Sheet sdo, row 2, column C holds the error #DIV/0!"},
    };
    for (const RefusedCase& c : cases) {
        SCOPED_TRACE(c.file);
        std::unique_ptr<TableEditor> editor = make_table_editor(sdo_table());
        WorkbookAccess access;
        const ImportResult result = editor->import_workbook(fixtures / "cells" / c.file, access);
        EXPECT_EQ(result.status, ImportStatus::RefusedCell);
        EXPECT_EQ(result.reason, c.reason);
    }
}

TEST(WorkbookCells, AnXlsDateStopsTheImportAsInTheOtherFormats) {
    const test::TestWorkbooks workbooks;
    std::unique_ptr<TableEditor> editor = make_table_editor(sdo_table());
    WorkbookAccess access;
    const ImportResult result = editor->import_workbook(workbooks / "sdo_date.xls", access);
    EXPECT_EQ(result.status, ImportStatus::RefusedCell);
    EXPECT_EQ(result.reason, "Sheet sdo, row 3, column E holds a date: enter it as text");
}

TEST(WorkbookRoundTrip, ACarriageReturnAndALiteralEscapeComeBackAsTyped) {
    const Project project;
    const TableRecord record = {"0", "0x2000", "1", "5", "0x6000", "0", "2", "a\rb _x0041_ _x41_"};
    write_table_document(sdo_table(), {record}, project.document(sdo_table()));
    project.loaded(sdo_table())->export_xlsx(project.path());
    std::unique_ptr<TableEditor> editor = make_table_editor(sdo_table());
    WorkbookAccess access;
    editor->import_workbook(workbook_path(project.path(), "sdo"), access);
    EXPECT_EQ(editor->document_records(), std::vector<TableRecord>{record});
    EXPECT_EQ(decode_xstring("_x000D__x005F_x0041__xD83D__xDE00__x12_"),
              "\r_x0041_\U0001F600_x12_");
}

TEST(DateFormat, DatesAndTimesAreToldFromNumbers) {
    for (const char* code : {"yyyy-mm-dd", "d/m/yy", "[h]:mm:ss", "hh:mm AM/PM", "[$-409]mmm d"}) {
        EXPECT_TRUE(is_date_format(code)) << code;
    }
    for (const char* code :
         {"General", "0.00", "#,##0", "@", "[Red]0.00", "\"day\"0", "0\\d", "0.00E+00"}) {
        EXPECT_FALSE(is_date_format(code)) << code;
    }
}

TEST(ZipNames, OnlyNamesInsideTheContainerAreSound) {
    for (const char* name : {"xl/workbook.xml", "content.xml", "xl/worksheets/", "a..b/c"}) {
        EXPECT_TRUE(sound_entry_name(name)) << name;
    }
    for (const char* name :
         {"", "/etc/passwd", "../x.xml", "xl/../../x", "xl//x", "c:x", "a\\b", "xl/./x", "a\nb"}) {
        EXPECT_FALSE(sound_entry_name(name)) << name;
    }
    EXPECT_EQ(resolve_entry_name("xl/workbook.xml", "worksheets/sheet1.xml"),
              "xl/worksheets/sheet1.xml");
    EXPECT_EQ(resolve_entry_name("xl/workbook.xml", "/xl/styles.xml"), "xl/styles.xml");
    EXPECT_EQ(resolve_entry_name("xl/workbook.xml", "../docProps/app.xml"), "docProps/app.xml");
    EXPECT_EQ(resolve_entry_name("xl/workbook.xml", "../../x.xml"), "");
}

// A zip written by libzip: each entry's name and content, stored deflated.
std::string make_zip(const std::vector<std::pair<std::string, std::string>>& entries) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_source_keep(buffer);
    for (const auto& [name, content] : entries) {
        zip_source_t* data = zip_source_buffer(archive, content.data(), content.size(), 0);
        zip_file_add(archive, name.c_str(), data, ZIP_FL_ENC_UTF_8);
    }
    zip_close(archive);
    zip_source_open(buffer);
    zip_stat_t stat;
    zip_source_stat(buffer, &stat);
    std::string bytes(stat.size, '\0');
    zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

// Makes every header of the zip claim `size` bytes for each entry, as a zip
// bomb's would.
void claim_uncompressed_size(std::string& zip, std::uint32_t size) {
    auto patch = [&](const char* signature, std::size_t offset) {
        for (std::size_t at = zip.find(signature); at != std::string::npos;
             at = zip.find(signature, at + 4)) {
            for (int i = 0; i < 4; ++i) zip[at + offset + i] = static_cast<char>(size >> (8 * i));
        }
    };
    patch("PK\x03\x04", 22);
    patch("PK\x01\x02", 24);
}

const std::string workbook_xml =
    "<workbook><sheets><sheet name=\"sdo\" r:id=\"rId1\"/></sheets></workbook>";
const std::string rels_xml =
    "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\"/>"
    "</Relationships>";

struct ContainerCase {
    const char* what;
    std::string bytes;
    const char* reason;
};

// An .ods sheet whose one cell nests spans far deeper than any spreadsheet would.
std::string nested_spans(int depth) {
    std::string spans;
    for (int i = 0; i < depth; ++i) spans += "<text:span>";
    for (int i = 0; i < depth; ++i) spans += "</text:span>";
    return "<office:document-content><office:body><office:spreadsheet>"
           "<table:table table:name=\"sdo\"><table:table-row>"
           "<table:table-cell office:value-type=\"string\"><text:p>" +
           spans +
           "</text:p></table:table-cell></table:table-row></table:table>"
           "</office:spreadsheet></office:body></office:document-content>";
}

// An .ods sheet whose one cell of a megabyte stands repeated across a row:
// a few kilobytes once compressed, gigabytes once copied into every cell.
std::string repeated_big_cell() {
    return "<office:document-content><office:body><office:spreadsheet>"
           "<table:table table:name=\"sdo\"><table:table-row>"
           "<table:table-cell office:value-type=\"string\" "
           "table:number-columns-repeated=\"16000\"><text:p>" +
           std::string(1 << 20, 'x') +
           "</text:p></table:table-cell></table:table-row></table:table>"
           "</office:spreadsheet></office:body></office:document-content>";
}

std::vector<ContainerCase> container_cases() {
    const std::string deep_content = nested_spans(100000);
    const Project project;
    project.loaded(sdo_table())->export_xlsx(project.path());
    const std::string good = test::read_file(workbook_path(project.path(), "sdo"));
    std::string bomb =
        make_zip({{"xl/workbook.xml", workbook_xml},
                  {"xl/_rels/workbook.xml.rels", rels_xml},
                  {"xl/worksheets/sheet1.xml", std::string(ZipArchive::entry_limit + 1, ' ')}});
    claim_uncompressed_size(bomb, 1000);
    return {
        {"zip bomb", bomb, "a zip bomb"},
        {"truncated", good.substr(0, good.size() / 2), "is a damaged or truncated zip container"},
        {"no workbook", make_zip({{"notes.txt", "not a workbook"}}),
         "is a zip container without a spreadsheet"},
        {"path outside", make_zip({{"xl/workbook.xml", workbook_xml}, {"../evil.xml", "x"}}),
         "has an entry named outside the container"},
        {"plain text", "conf,IndexA\r\n16,0x2000\r\n", "it is no .xls, .xlsx or .ods workbook"},
        {"deep nesting",
         make_zip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                   {"content.xml", deep_content}}),
         "nests its content deeper than"},
        {"cell text bomb",
         make_zip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                   {"content.xml", repeated_big_cell()}}),
         "more than 64 MiB of cell text"},
    };
}

TEST(WorkbookContainer, DamagedContainersAreRefusedAndTheTableKept) {
    for (const ContainerCase& c : container_cases()) {
        SCOPED_TRACE(c.what);
        const Project project;
        const fs::path workbook = project.path() / "book.xlsx";
        test::write_file(workbook, c.bytes);
        std::unique_ptr<TableEditor> editor = project.loaded(sdo_table());
        WorkbookAccess access;
        const ImportResult result = editor->import_workbook(workbook, access);
        EXPECT_EQ(result.status, ImportStatus::Unreadable);
        EXPECT_NE(result.reason.find(c.reason), std::string::npos) << result.reason;
        EXPECT_EQ(editor->document_records().size(), 5u);
    }
}

TEST(WorkbookContainer, TheInflatedSizeIsCountedNotTakenFromTheHeader) {
    std::string zip = make_zip({{"big", std::string(4096, 'x')}, {"small", "ok"}});
    claim_uncompressed_size(zip, 10);
    const ZipArchive archive(zip, "test", 1000);
    EXPECT_THROW(archive.read("big"), WorkbookError);
    EXPECT_EQ(ZipArchive(make_zip({{"small", "ok"}}), "test", 1000).read("small"), "ok");
}

TEST(WorkbookContainer, OnlyARegularFileIsOpened) {
    const test::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo.xlsx").c_str(), 0600), 0);
    fs::create_directory(dir / "folder.xlsx");
    for (const char* name : {"fifo.xlsx", "folder.xlsx", "missing.xlsx"}) {
        try {
            read_workbook_file(dir / name);
            ADD_FAILURE() << name;
        } catch (const WorkbookError& e) {
            EXPECT_NE(std::string(e.what()).find("not a regular file"), std::string::npos);
        }
    }
}

TEST(ImportReport, TheDialogsSpeakOnlyWhenTheWorkbookMustBeChanged) {
    const std::pair<ImportStatus, bool> cases[] = {
        {ImportStatus::Completed, false}, {ImportStatus::SheetMissing, false},
        {ImportStatus::Stopped, false},   {ImportStatus::NoRecords, false},
        {ImportStatus::Unreadable, true}, {ImportStatus::RefusedCell, true},
    };
    for (const auto& [status, shown] : cases) {
        MessageRecorder messages;
        report_import({status, 0, "why", {}}, messages);
        EXPECT_EQ(messages.texts,
                  shown ? std::vector<std::string>{"why"} : std::vector<std::string>{})
            << static_cast<int>(status);
    }
}

TEST(WorkbookExport, WritesThroughTheOneWriterAndKeepsTheOldFileOnFailure) {
    const Project project;
    std::unique_ptr<TableEditor> editor = project.loaded(sdo_table());
    const fs::path file = workbook_path(project.path(), "sdo");
    test::write_file(file, "old");
    {
        const ScopedOutputFault full_disk(100);
        EXPECT_THROW(editor->export_xlsx(project.path()), Error);
    }
    EXPECT_EQ(test::read_file(file), "old");
    fs::remove(file);
    fs::create_symlink(project.document(sdo_table()), file);
    EXPECT_THROW(editor->export_xlsx(project.path()), Error);
    EXPECT_EQ(test::read_file(project.document(sdo_table())), fixture_document(sdo_table()));
    fs::remove(file);
    editor->export_xlsx(project.path());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
    // Nothing is left beside it.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(project.path())) ++files;
    EXPECT_EQ(files, 7u);
}

}  // namespace
}  // namespace fenwarp
