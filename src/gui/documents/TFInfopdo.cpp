#include "gui/documents/TFInfopdo.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/documents/workbook/import_report.h"
#include "gui/documents/table_buttons.h"
#include "gui/qt_messages.h"
#include "gui/shell/open_excel.h"
#include "gui/widgets/bordered_panel.h"
#include "gui/widgets/fbutton.h"

namespace {

// What each tab shows; tab "Can0" holds the PDOs going to CAN 0, whose SDO
// objects are read on CAN 1.
struct TabTexts {
    const char* caption;
    const char* pdoList;
    const char* pdoLabel;
    const char* entryList;
    const char* entryLabel;
    const char* index;
    const char* indexLabel;
    const char* subindex;
    const char* subindexLabel;
    const char* high;
    const char* low;
    const char* buttons[5];  // Delete, New, Modify, Copy, Paste
};

const TabTexts tabTexts[2] = {
    {"Can0",
     "LPdoCanA",
     "Index PDO in CAN0",
     "LSdoCanA",
     "SDO CANB",
     "EindexA",
     "Index SDO CAN1",
     "EsubindexA",
     "Subindex SDO CAN1",
     "PoscompMsbA",
     "PoscompLsbA",
     {"DELETEa", "NewA", "ModifyA", "copyA", "PasteA"}},
    {"Can1",
     "LPdoCanB",
     "Index PDO in CAN1",
     "LSdoCanB",
     "SDO CANA",
     "EindexB",
     "Index SDO CAN0",
     "EsubindexB",
     "Subindex SDO CAN0",
     "PoscompMsbB",
     "PoscompLsbB",
     {"Deleteb", "Newb", "Modifyb", "copyB", "PasteB"}},
};

const char* const buttonCaptions[5] = {"Delete SDO", "New SDO", "Modify SDO", "Copy SDO",
                                       "Paste SDO"};
const char* const byteItems[fenwarp::stored_pdo::byte_items] = {"none", "B1", "B2", "B3", "B4",
                                                                "B5",   "B6", "B7", "B8"};

QListWidget* listBox(const char* name, QWidget* parent) {
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

QLineEdit* edit(const char* name, QWidget* parent) {
    auto* line = new QLineEdit(parent);
    line->setObjectName(name);
    return line;
}

void setItems(QListWidget* list, const std::vector<std::string>& items,
              std::optional<std::size_t> selected) {
    list->clear();
    for (const std::string& item : items) list->addItem(qstr(item));
    list->setCurrentRow(selected ? static_cast<int>(*selected) : -1);
    if (!selected) list->clearSelection();
}

// An item the choice does not have (a poscomp nibble above 8) checks none.
void check(QButtonGroup* group, int item) {
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons()) button->setChecked(group->id(button) == item);
    group->setExclusive(true);
}

std::optional<std::size_t> selectedRow(QListWidget* list) {
    const int row = list->currentRow();
    if (row < 0 || !list->item(row)->isSelected()) return std::nullopt;
    return static_cast<std::size_t>(row);
}

}  // namespace

TFInfopdo::TFInfopdo(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
                     QWidget* parent)
    : QDialog(parent), session_(session), openExcel_(openExcel), messages_(messages) {
    setObjectName("TFInfopdo");
    setWindowTitle("Define Store PDO");
    auto* layout = new QVBoxLayout(this);
    notebook_ = new QTabWidget(this);
    notebook_->setObjectName("PageControl1");
    for (int t = 0; t < 2; ++t) notebook_->addTab(makeTab(t), tabTexts[t].caption);
    notebook_->setCurrentIndex(1);  // kept from then on between showings
    layout->addWidget(notebook_);

    addTableButtons(this, layout,
                    {[this] { Button1Click(); }, [this] { BitBtn4Click(); },
                     [this] { BitBtn1Click(); }, [this] { ButtonXlsxClick(); }});
    // The content keeps its size.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TFInfopdo::makeTab(int t) {
    const TabTexts& texts = tabTexts[t];
    Tab& tab = tabs_[t];
    auto* page = new QWidget(this);
    page->setObjectName(QString("TabSheet%1").arg(t + 1));
    auto* layout = new QHBoxLayout(page);

    auto* correlated = new BorderedPanel(QString("PanelCorrelated%1").arg(t), page);
    auto* lists = new QGridLayout(correlated);
    auto* heading = new QLabel("Correlated", correlated);
    heading->setAlignment(Qt::AlignCenter);
    heading->setStyleSheet("font-weight: bold;");
    lists->addWidget(heading, 0, 0, 1, 2);
    lists->addWidget(new QLabel(texts.pdoLabel, correlated), 1, 0);
    lists->addWidget(new QLabel(texts.entryLabel, correlated), 1, 1);
    tab.pdos = listBox(texts.pdoList, correlated);
    tab.entries = listBox(texts.entryList, correlated);
    lists->addWidget(tab.pdos, 2, 0);
    lists->addWidget(tab.entries, 2, 1);
    layout->addWidget(correlated);

    auto* fields = new QVBoxLayout;
    fields->addWidget(new QLabel(texts.indexLabel, page));
    tab.index = edit(texts.index, page);
    fields->addWidget(tab.index);
    fields->addWidget(new QLabel(texts.subindexLabel, page));
    tab.subindex = edit(texts.subindex, page);
    fields->addWidget(tab.subindex);
    fields->addWidget(makeChoice(t, texts.high, "High SDO Byte", tab.high));
    fields->addWidget(makeChoice(t, texts.low, "Low SDO Byte", tab.low));
    fields->addStretch();
    layout->addLayout(fields);

    auto* column = new QVBoxLayout;
    void (TFInfopdo::*handlers[5])(int) = {&TFInfopdo::DeleteAClick, &TFInfopdo::NewAClick,
                                           &TFInfopdo::ModifyAClick, &TFInfopdo::CopyAClick,
                                           &TFInfopdo::PasteAClick};
    for (int b = 0; b < 5; ++b) {
        auto* button = new FButton(texts.buttons[b], buttonCaptions[b], page);
        connect(button, &QPushButton::clicked, this, [this, t, h = handlers[b]] { (this->*h)(t); });
        column->addWidget(button);
    }
    column->addStretch();
    layout->addLayout(column);

    // A click, or a move by keyboard; a mouse press is left to the click so
    // that one click is handled once.
    for (QListWidget* list : {tab.pdos, tab.entries}) {
        const bool pdoList = list == tab.pdos;
        auto handle = [this, t, pdoList] { pdoList ? LPdoCanAClick(t) : LSdoCanAClick(t); };
        connect(list, &QListWidget::itemClicked, this, handle);
        connect(list, &QListWidget::currentRowChanged, this, [handle] {
            if (QApplication::mouseButtons() == Qt::NoButton) handle();
        });
    }
    auto takeEdits = [this, t] {
        session_.stored_pdo.set_edits(t, sstr(tabs_[t].index->text()),
                                      sstr(tabs_[t].subindex->text()));
    };
    connect(tab.index, &QLineEdit::textEdited, this, takeEdits);
    connect(tab.subindex, &QLineEdit::textEdited, this, takeEdits);
    return page;
}

QWidget* TFInfopdo::makeChoice(int t, const char* name, const char* byteText,
                               QButtonGroup*& group) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* caption = new QLabel(QString("Translate in\n%1").arg(byteText), row);
    layout->addWidget(caption);
    auto* box = new QGroupBox("Selected PDO Byte", row);
    box->setObjectName(name);
    auto* items = new QGridLayout(box);
    group = new QButtonGroup(box);
    for (int item = 0; item < fenwarp::stored_pdo::byte_items; ++item) {
        auto* button = new QRadioButton(byteItems[item], box);
        button->setObjectName(QString("%1_%2").arg(name, byteItems[item]));
        group->addButton(button, item);
        items->addWidget(button, item / 3, item % 3);
    }
    check(group, 0);
    connect(group, &QButtonGroup::idClicked, this, [this, t] { takeChoices(t); });
    layout->addWidget(box);
    return row;
}

void TFInfopdo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFInfopdo::FormShow() {
    const fenwarp::DocumentPaths& documents = session_.context().documents;
    session_.stored_pdo.load({documents.sdo, documents.rpdodef, documents.sdopdo}, messages_);
    for (int t = 0; t < 2; ++t) refresh(t);
}

template <typename Operation>
void TFInfopdo::operate(int t, Operation operation) {
    struct Refresh {
        TFInfopdo* dialog;
        int t;
        ~Refresh() { dialog->refresh(t); }
    } refresh{this, t};
    operation(session_.stored_pdo);
}

void TFInfopdo::LPdoCanAClick(int t) {
    const std::optional<std::size_t> pdo = selectedRow(tabs_[t].pdos);
    operate(t, [&](fenwarp::StoredPdoEditor& editor) { editor.pdo_click(t, pdo); });
}

void TFInfopdo::LSdoCanAClick(int t) {
    const std::optional<std::size_t> entry = selectedRow(tabs_[t].entries);
    operate(t, [&](fenwarp::StoredPdoEditor& editor) { editor.entry_click(t, entry); });
}

void TFInfopdo::NewAClick(int t) {
    operate(t, [&](fenwarp::StoredPdoEditor& editor) { editor.new_sdo(t, messages_); });
}

void TFInfopdo::ModifyAClick(int t) {
    operate(t, [&](fenwarp::StoredPdoEditor& editor) { editor.modify_sdo(t, messages_); });
}

void TFInfopdo::DeleteAClick(int t) {
    operate(t, [&](fenwarp::StoredPdoEditor& editor) { editor.delete_sdo(t); });
}

void TFInfopdo::CopyAClick(int t) {
    operate(t, [&](fenwarp::StoredPdoEditor& editor) { editor.copy_sdo(t); });
}

void TFInfopdo::PasteAClick(int t) {
    operate(t, [&](fenwarp::StoredPdoEditor& editor) { editor.paste_sdo(t); });
}

void TFInfopdo::takeChoices(int t) {
    session_.stored_pdo.set_choices(t, tabs_[t].high->checkedId(), tabs_[t].low->checkedId());
}

void TFInfopdo::refresh(int t) {
    const fenwarp::StoredPdoTab& state = session_.stored_pdo.tab(t);
    Tab& tab = tabs_[t];
    const QSignalBlocker blockPdos(tab.pdos);
    const QSignalBlocker blockEntries(tab.entries);
    setItems(tab.pdos, state.pdo_items(), state.selected_pdo);
    setItems(tab.entries, state.entry_items, state.selected_entry);
    tab.index->setText(qstr(state.index_edit));
    tab.subindex->setText(qstr(state.subindex_edit));
    check(tab.high, state.high_choice);
    check(tab.low, state.low_choice);
}

void TFInfopdo::BitBtn1Click() {
    session_.stored_pdo.save_document(session_.context().documents.sdopdo);
    accept();
}

void TFInfopdo::Button1Click() {
    session_.stored_pdo.export_csv(session_.context().project_dir);
}

void TFInfopdo::ButtonXlsxClick() {
    session_.stored_pdo.export_xlsx(session_.context().project_dir);
}

void TFInfopdo::BitBtn4Click() {
    std::optional<QString> workbook = openExcel_.choose(this);
    if (!workbook) return;
    // The lists show what was taken; only a workbook the user has to change
    // is worth a message.
    fenwarp::report_import(
        session_.stored_pdo.import_workbook(toPath(*workbook), session_.workbook), messages_);
    for (int t = 0; t < 2; ++t) refresh(t);
}
