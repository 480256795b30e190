#include "core/documents/workbook/workbook_query.h"

#include "core/documents/workbook/lower_case.h"
#include "core/documents/workbook/workbook_error.h"

namespace fenwarp {

namespace {

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::optional<std::string> query_sheet(const std::string& statement) {
    const std::string text = trimmed(statement);
    const std::string head = "select * from [";
    const std::string tail = "$]";
    if (text.size() <= head.size() + tail.size()) return std::nullopt;
    if (lower_case(text.substr(0, head.size())) != head) return std::nullopt;
    if (text.compare(text.size() - tail.size(), tail.size(), tail) != 0) return std::nullopt;
    return text.substr(head.size(), text.size() - head.size() - tail.size());
}

void WorkbookQuery::add_line(const std::string& line) {
    if (!text_.empty()) text_ += '\n';
    text_ += line;
}

void WorkbookQuery::open() {
    close();
    std::optional<std::string> sheet = query_sheet(text_);
    if (!sheet) throw WorkbookError("Query not understood: " + text_);
    size_ = connection_.select_sheet(*sheet);
    open_ = true;
}

void WorkbookQuery::close() {
    open_ = false;
    size_ = {};
    position_ = 0;
}

std::size_t WorkbookQuery::record_count() const {
    if (!open_ || size_.rows == 0) return 0;
    return size_.rows - 1;  // the heading row is no record
}

void WorkbookQuery::next() {
    if (!at_end()) ++position_;
}

std::optional<std::string> WorkbookQuery::field(std::size_t index) const {
    if (!open_) throw WorkbookError("The query is not open");
    if (at_end()) throw WorkbookError("No record at the current position");
    if (index >= size_.columns) {
        throw WorkbookError("The sheet has no field " + std::to_string(index));
    }
    return connection_.cell(position_ + 1, index);
}

}  // namespace fenwarp
