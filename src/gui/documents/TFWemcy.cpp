#include "gui/documents/TFWemcy.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QShowEvent>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/documents/workbook/import_report.h"
#include "gui/documents/emcy_word_icons.h"
#include "gui/qt_messages.h"
#include "gui/shell/open_excel.h"
#include "gui/widgets/fbutton.h"

namespace {

// What differs between the two pages: names, captions and labels.
struct PageTexts {
    const char* caption;
    const char* suffix;
    const char* indexLabel;
    const char* subindexLabel;
    const char* devidLabel;
    const char* mask2Label;
};

const PageTexts pageTexts[2] = {
    {"Can0", "A", "Index SDO BUS 1", "Subindex SDO BUS 1", "ID EMCY BUS 0", "Mask byte 2"},
    {"Can1", "B", "Index SDO BUS 0", "Subindex SDO BUS 0", "ID EMCY BUS 1", "Mask Byte 2"},
};

QString named(const char* stem, int page) {
    return QString(stem) + pageTexts[page].suffix;
}

QLineEdit* field(const QString& name, QWidget* parent, std::string& text) {
    auto* line = new QLineEdit(parent);
    line->setObjectName(name);
    // Every keystroke reaches the editor, which keeps the fields as typed.
    QObject::connect(line, &QLineEdit::textChanged, line,
                     [&text](const QString& typed) { text = sstr(typed); });
    return line;
}

void setText(QLineEdit* line, const std::string& text) {
    const QString shown = qstr(text);
    if (line->text() != shown) line->setText(shown);
}

}  // namespace

TFWemcy::TFWemcy(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
                 QWidget* parent)
    : QDialog(parent), session_(session), openExcel_(openExcel), messages_(messages) {
    setObjectName("TFWemcy");
    setWindowTitle("Define EMCY Word");
    resize(640, 480);
    auto* layout = new QVBoxLayout(this);
    notebook_ = new QTabWidget(this);
    notebook_->setObjectName("PageControl1");
    for (int page = 0; page < 2; ++page) {
        notebook_->addTab(makePage(page), pageTexts[page].caption);
    }
    notebook_->setCurrentIndex(1);  // kept from then on between showings
    layout->addWidget(notebook_, 1);

    auto* buttons = new QHBoxLayout;
    auto* ok = new FButton("BitBtn1", "OK", this);
    auto* cancel = new FButton("BitBtn2", "Cancel", this);
    auto* exportButton = new FButton("Button1", "Export", this);
    auto* xlsxButton = new FButton("ButtonXlsx", "Export xlsx", this);
    auto* importButton = new FButton("BitBtn4", "Import", this);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    buttons->addWidget(exportButton);
    buttons->addWidget(xlsxButton);
    buttons->addWidget(importButton);
    layout->addLayout(buttons);
    // Return in a field presses no button: neither New nor OK by surprise.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TFWemcy::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(exportButton, &QPushButton::clicked, this, &TFWemcy::Button1Click);
    connect(xlsxButton, &QPushButton::clicked, this, &TFWemcy::ButtonXlsxClick);
    connect(importButton, &QPushButton::clicked, this, &TFWemcy::BitBtn4Click);
    showFields();
}

QWidget* TFWemcy::makePage(int page) {
    auto* sheet = new QWidget(this);
    sheet->setObjectName(QString("TabSheet%1").arg(page + 1));
    auto* layout = new QHBoxLayout(sheet);
    Page& p = pages_[page];
    p.tree = new QTreeWidget(sheet);
    p.tree->setObjectName(page == 0 ? "TWCanA" : "TWCanB");
    p.tree->setHeaderHidden(true);
    p.tree->setColumnCount(1);
    p.tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    p.tree->setSelectionMode(QAbstractItemView::SingleSelection);
    p.tree->setMinimumWidth(180);
    connect(p.tree, &QTreeWidget::currentItemChanged, this,
            [this, page](QTreeWidgetItem* current) { TWCanAChange(page, current); });
    // Del on the tree deletes the selected word, as the page's Delete does.
    auto* del = new QShortcut(QKeySequence(Qt::Key_Delete), p.tree);
    del->setContext(Qt::WidgetShortcut);
    connect(del, &QShortcut::activated, this, [this, page] { deleteBClick(page); });
    layout->addWidget(p.tree, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(makeWordGroup(page));
    right->addWidget(makeBitGroup(page));
    right->addWidget(makeButtons(page));
    right->addStretch();
    layout->addLayout(right, 1);
    return sheet;
}

QWidget* TFWemcy::makeWordGroup(int page) {
    const PageTexts& texts = pageTexts[page];
    Page& p = pages_[page];
    fenwarp::WordFields& fields = state(page).word_fields;
    p.wordGroup = new QGroupBox(this);
    p.wordGroup->setObjectName(named("GBword_emcy_bitmap", page));
    auto* grid = new QGridLayout(p.wordGroup);
    p.index_addrm = field(named("Eindex_addrm", page), p.wordGroup, fields.index_addrm);
    p.subindex = field(named("Esubindex", page), p.wordGroup, fields.subindex);
    p.devid = field(named("Edevid", page), p.wordGroup, fields.devid);
    const std::pair<const char*, QLineEdit*> rows[] = {{texts.indexLabel, p.index_addrm},
                                                       {texts.subindexLabel, p.subindex},
                                                       {texts.devidLabel, p.devid}};
    int row = 0;
    for (const auto& [label, line] : rows) {
        auto* caption = new QLabel(label, p.wordGroup);
        caption->setBuddy(line);
        grid->addWidget(caption, row, 0);
        grid->addWidget(line, row++, 1);
    }
    return p.wordGroup;
}

QWidget* TFWemcy::makeBitGroup(int page) {
    Page& p = pages_[page];
    fenwarp::BitFields& fields = state(page).bit_fields;
    p.bitGroup = new QGroupBox(this);
    p.bitGroup->setObjectName(named("Gbebm", page));
    auto* grid = new QGridLayout(p.bitGroup);
    p.b0 = field(named("Eb0", page), p.bitGroup, fields.b0);
    p.b1 = field(named("Eb1", page), p.bitGroup, fields.b1);
    p.poscomp = field(named("Eposcomp", page), p.bitGroup, fields.emcy_byte1);
    p.poscomp2 = field(named("Eposcomp", page) + "2", p.bitGroup, fields.emcy_byte2);
    // Each mask beside the EMCY byte it applies to.
    const std::pair<const char*, QLineEdit*> cells[2][2] = {
        {{"Mask Byte 1", p.b0}, {"Emcy byte 1", p.poscomp}},
        {{pageTexts[page].mask2Label, p.b1}, {"Emcy Byte 2", p.poscomp2}}};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            const auto& [label, line] = cells[row][column];
            auto* caption = new QLabel(label, p.bitGroup);
            caption->setBuddy(line);
            grid->addWidget(caption, row, 2 * column);
            grid->addWidget(line, row, 2 * column + 1);
        }
    }
    return p.bitGroup;
}

QWidget* TFWemcy::makeButtons(int page) {
    auto* bar = new QWidget(this);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* newButton = new FButton(named("new", page), "New", bar);
    auto* modify = new FButton(named("modify", page), "Modify", bar);
    auto* remove = new FButton(named("delete", page), "Delete", bar);
    for (FButton* button : {newButton, modify, remove}) layout->addWidget(button);
    connect(newButton, &QPushButton::clicked, this, [this, page] { newBClick(page); });
    connect(modify, &QPushButton::clicked, this, [this, page] { modifyBClick(page); });
    connect(remove, &QPushButton::clicked, this, [this, page] { deleteBClick(page); });
    return bar;
}

fenwarp::EmcyWordPage& TFWemcy::state(int page) {
    return session_.emcy_word.pages.at(static_cast<std::size_t>(page));
}

void TFWemcy::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFWemcy::FormShow() {
    session_.emcy_word.load(session_.context().documents.emcyword, messages_);
    for (int page = 0; page < 2; ++page) fillTree(page);
    showFields();
}

void TFWemcy::TWCanAChange(int page, QTreeWidgetItem* current) {
    session_.emcy_word.show_node(page, nodeOf(current));
    showFields();
}

void TFWemcy::newBClick(int page) {
    if (session_.emcy_word.new_word(page, messages_)) {
        addWordItem(page, state(page).words.size() - 1);
    }
}

void TFWemcy::modifyBClick(int page) {
    session_.emcy_word.modify(page, messages_);
}

void TFWemcy::deleteBClick(int page) {
    const std::optional<std::size_t> selected = state(page).tree.selected();
    if (!session_.emcy_word.delete_word(page)) return;
    QTreeWidget* tree = pages_[page].tree;
    const QSignalBlocker quiet(tree);
    delete tree->topLevelItem(static_cast<int>(fenwarp::word_of_node(*selected)));
    showSelection(page);
    showFields();
}

void TFWemcy::BitBtn1Click() {
    session_.emcy_word.save_document(session_.context().documents.emcyword);
    accept();
}

void TFWemcy::Button1Click() {
    session_.emcy_word.export_csv(session_.context().project_dir);
}

void TFWemcy::ButtonXlsxClick() {
    session_.emcy_word.export_xlsx(session_.context().project_dir);
}

void TFWemcy::BitBtn4Click() {
    std::optional<QString> workbook = openExcel_.choose(this);
    if (!workbook) return;
    // The pages show what was taken; only a workbook the user has to change
    // is worth a message.
    fenwarp::report_import(session_.emcy_word.import_workbook(toPath(*workbook), session_.workbook),
                           messages_);
    for (int page = 0; page < 2; ++page) fillTree(page);
    showFields();
}

void TFWemcy::fillTree(int page) {
    QTreeWidget* tree = pages_[page].tree;
    const QSignalBlocker quiet(tree);
    tree->clear();
    for (std::size_t word = 0; word < state(page).words.size(); ++word) addWordItem(page, word);
    showSelection(page);
}

void TFWemcy::addWordItem(int page, std::size_t word) {
    const std::vector<fenwarp::WordTreeNode>& nodes = state(page).tree.nodes();
    const std::size_t first = fenwarp::word_node(word);
    QTreeWidget* tree = pages_[page].tree;
    const QSignalBlocker quiet(tree);
    auto* item = new QTreeWidgetItem(tree, {qstr(nodes.at(first).caption())});
    item->setIcon(0, wordNodeIcon());
    for (std::size_t n = first + 1; n < first + fenwarp::nodes_per_word; ++n) {
        auto* bit = new QTreeWidgetItem(item, {qstr(nodes.at(n).caption())});
        bit->setIcon(0, bitNodeIcon());
    }
}

// Puts the tree's current item where the editor's selection is.
void TFWemcy::showSelection(int page) {
    QTreeWidget* tree = pages_[page].tree;
    const QSignalBlocker quiet(tree);
    const std::optional<std::size_t> node = state(page).tree.selected();
    if (!node) {
        tree->setCurrentItem(nullptr);
        tree->clearSelection();
        return;
    }
    QTreeWidgetItem* item = tree->topLevelItem(static_cast<int>(fenwarp::word_of_node(*node)));
    if (const std::optional<std::size_t> bit = fenwarp::bit_of_node(*node)) {
        item = item->child(static_cast<int>(*bit));
    }
    tree->setCurrentItem(item);
}

void TFWemcy::showFields() {
    const fenwarp::EmcyWordEditor& editor = session_.emcy_word;
    for (int page = 0; page < 2; ++page) {
        Page& p = pages_[page];
        const fenwarp::EmcyWordPage& s = state(page);
        p.wordGroup->setTitle(qstr(editor.word_group_caption));
        p.bitGroup->setTitle(qstr(editor.bit_group_caption));
        setText(p.index_addrm, s.word_fields.index_addrm);
        setText(p.subindex, s.word_fields.subindex);
        setText(p.devid, s.word_fields.devid);
        setText(p.b0, s.bit_fields.b0);
        setText(p.b1, s.bit_fields.b1);
        setText(p.poscomp, s.bit_fields.emcy_byte1);
        setText(p.poscomp2, s.bit_fields.emcy_byte2);
    }
}

std::optional<std::size_t> TFWemcy::nodeOf(QTreeWidgetItem* item) const {
    if (item == nullptr) return std::nullopt;
    if (QTreeWidgetItem* word = item->parent()) {
        const int w = word->treeWidget()->indexOfTopLevelItem(word);
        return fenwarp::word_node(static_cast<std::size_t>(w)) +
               static_cast<std::size_t>(word->indexOfChild(item)) + 1;
    }
    return fenwarp::word_node(
        static_cast<std::size_t>(item->treeWidget()->indexOfTopLevelItem(item)));
}
