// The table descriptions and the document reading and writing every table shares.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/banks/record_layouts.h"
#include "core/documents/table/table_catalogue.h"
#include "core/documents/table/table_reader.h"
#include "core/documents/table/table_writer.h"
#include "core/documents/table_editors.h"
#include "core/documents/xml_document.h"
#include "test_support.h"

namespace fenwarp {
namespace {

TEST(TableCatalogue, EachTableNamesItsDocumentSheetAndColumnsOnce) {
    std::vector<std::string> names;
    for (const TableDescription* table : table_catalogue()) {
        names.push_back(table->base_name);
        EXPECT_EQ(std::string(table->document), std::string(table->base_name) + ".xml");
        EXPECT_EQ(table->headings.size(), table->field_count()) << table->base_name;
        EXPECT_LT(table->direction_field, table->field_count()) << table->base_name;
        EXPECT_EQ(find_table(table->base_name), table);
        EXPECT_NE(make_table_editor(*table), nullptr) << table->base_name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"sdo", "rpdodef", "sdopdo", "emcydef", "emcyword"}));
    EXPECT_EQ(find_table("SDO"), nullptr);
    EXPECT_EQ(emcy_word_table().field_count(), 52u);
    EXPECT_EQ(emcy_word_table().attributes[51], "bit15_poscomp");
    EXPECT_EQ(emcy_table().attributes[emcy_table().direction_field], "bypass_set");
}

TEST(TableCatalogue, BankLayoutsPackTheDescribedAttributesInOrder) {
    const std::pair<const RecordLayout*, const TableDescription*> pairs[] = {
        {&sdo_layout(), &sdo_table()},
        {&stored_pdo_layout(), &stored_pdo_table()},
        {&emcy_layout(), &emcy_table()},
        {&emcy_word_layout(), &emcy_word_table()},
        {&pdo_layout(), &pdo_table()}};
    for (const auto& [layout, table] : pairs) {
        EXPECT_STREQ(layout->document, table->document);
        EXPECT_EQ(layout->group_field, table->direction_field) << table->base_name;
        for (std::size_t f = 0; f < layout->fields.size(); ++f) {
            EXPECT_EQ(layout->fields[f].attribute, table->attributes[f]) << table->base_name;
        }
    }
    EXPECT_EQ(sdo_layout().fields.size(), 7u);  // the mnemonic is not packed
    EXPECT_EQ(pdo_layout().record_size(), 6u);
    EXPECT_EQ(emcy_word_layout().record_size(), 53u);
}

class TableDocumentTest : public ::testing::Test {
  protected:
    std::vector<TableRecord> read(const std::string& xml) {
        test::write_file(file, xml);
        std::vector<TableRecord> records;
        read_table_document(pdo_table(), file,
                            [&](std::size_t, TableRecord&& record) { records.push_back(record); });
        return records;
    }
    test::TempDir dir;
    std::filesystem::path file = dir / "rpdodef.xml";
};

TEST_F(TableDocumentTest, RecordsComeInDocumentOrderWhateverTheirElementName) {
    const auto records = read(
        "<rpdodef><row cobid='1' id_dev_orig='2' en_bypass='3' posind='4' n_tpdo='5'/>"
        "<x n_tpdo='e' posind='d' en_bypass='c' id_dev_orig='b' cobid='a'/></rpdodef>");
    EXPECT_EQ(records,
              (std::vector<TableRecord>{{"1", "2", "3", "4", "5"}, {"a", "b", "c", "d", "e"}}));
}

TEST_F(TableDocumentTest, AMissingAttributeNamesRecordAndAttributeAfterTheRecordsBefore) {
    test::write_file(file,
                     "<rpdodef><row cobid='1' id_dev_orig='2' en_bypass='3' posind='4' n_tpdo='5'/>"
                     "<row cobid='1' id_dev_orig='2' en_bypass='3' n_tpdo='5'/></rpdodef>");
    std::size_t taken = 0;
    try {
        read_table_document(pdo_table(), file, [&](std::size_t, TableRecord&&) { ++taken; });
        FAIL() << "no error";
    } catch (const XmlReadError& e) {
        EXPECT_EQ(std::string(e.what()), "rpdodef.xml: record 2 has no attribute posind");
    }
    EXPECT_EQ(taken, 1u);
}

TEST_F(TableDocumentTest, OnlyAnOptionalAttributeMayBeMissing) {
    test::write_file(dir / "sdo.xml",
                     "<sdo><row conf='0' IndexA='1' SubindexA='2' devIDB='3' IndexB='4' "
                     "SubindexB='5' nbyteB='6'/></sdo>");
    TableRecord got;
    EXPECT_EQ(read_table_document(sdo_table(), dir / "sdo.xml",
                                  [&](std::size_t, TableRecord&& record) { got = record; }),
              DocumentState::Read);
    EXPECT_EQ(got, (TableRecord{"0", "1", "2", "3", "4", "5", "6", ""}));
    EXPECT_EQ(read_table_document(sdo_table(), dir / "none.xml", [](std::size_t, TableRecord&&) {}),
              DocumentState::Missing);
}

TEST_F(TableDocumentTest, WritingGivesEveryAttributeInTableOrder) {
    write_table_document(pdo_table(), {{"0x181", "1", "3", "", "2"}}, file);
    EXPECT_EQ(test::read_file(file),
              "<rpdodef><row cobid=\"0x181\" id_dev_orig=\"1\" en_bypass=\"3\" posind=\"\" "
              "n_tpdo=\"2\"/></rpdodef>");
    write_table_document(pdo_table(), {}, file);
    EXPECT_EQ(test::read_file(file), "<rpdodef/>");
}

}  // namespace
}  // namespace fenwarp
