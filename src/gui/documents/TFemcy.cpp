#include "gui/documents/TFemcy.h"

#include <QButtonGroup>
#include <QCheckBox>
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
#include "gui/widgets/fbutton.h"

namespace {

// The label and shown range of each input field, in the order of the entry's
// text fields; the field names follow the table's attributes.
struct FieldTexts {
    const char* label;
    const char* range;
};

const FieldTexts fieldTexts[fenwarp::TClEmcy::text_field_count] = {
    {"ID_EMCY", "(1..127)"},
    {"Mask_error_code", "(0..65535)"},
    {"MAsk_error_Reg", "(0..255)"},
    {"Mask_Manu1", "(0..65535)"},
    {"Mask_Manu2", "(0..65535)"},
    {"Mask_Manu3", "(0..255)"},
    {"Enabled_mask_error_code", "(0..65535)"},
    {"Enabled_mask_error_Reg", "(0..255)"},
    {"Enabled_Mask_Manu1", "(0..65535)"},
    {"Enabled_Mask_Manu2", "(0..65535)"},
    {"Enabled_Mask_Manu3", "(0..255)"},
};

struct PageTexts {
    const char* caption;
    const char* suffix;  // of every component name: "A" or "B"
    const char* list;
    const char* enable;
    const char* heading[3];  // the alias group's fixed texts
    const char* noTranslate;
    const char* modify;
};

const PageTexts pageTexts[2] = {
    {"From CAN 0",
     "A",
     "LBCanA",
     "Enabled_Translate to CAN1",
     {"ID CANA EMCY ", "Translate in", "CANB EMCY at:"},
     "No translate ID CAN0",
     "Modify ENCY"},
    {"From CAN 1",
     "B",
     "LBCanB",
     "Enabled_Translate to CAN0",
     {"ID CANB EMCY ", "Translate in", "CANA EMCY at:"},
     "No translate ID CAN1",
     "Modify EMCY"},
};

// The alias buttons top to bottom: name stem and caption; the button's
// position is its alias_sel. The "Error Reg" button is r9, fourth.
struct AliasButton {
    const char* stem;
    const char* caption;
};

const AliasButton aliasButtons[9] = {
    {"r1", nullptr},  // the page's "No translate ID" text
    {"r2", "Error code byte  HIGH"},
    {"r3", "Error code byte LOW"},
    {"r9", "Error Reg"},
    {"r4", "Manu1 byte HIGH"},
    {"r5", "Manu1 byte LOW"},
    {"r6", "Manu2 byte HIGH"},
    {"r7", "Manu2 byte LOW"},
    {"r8", "Manu3"},
};

QString named(const char* stem, int direction) {
    return QString(stem) + pageTexts[direction].suffix;
}

QString lowerNamed(const char* stem, int direction) {
    return QString(stem) + QString(pageTexts[direction].suffix).toLower();
}

QStringList listTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

}  // namespace

TFemcy::TFemcy(fenwarp::Session& session, OpenExcel& openExcel, fenwarp::Messages& messages,
               QWidget* parent)
    : QDialog(parent), session_(session), openExcel_(openExcel), messages_(messages) {
    setObjectName("TFemcy");
    setWindowTitle("Set Translate EMCY");
    auto* layout = new QVBoxLayout(this);
    notebook_ = new QTabWidget(this);
    notebook_->setObjectName("PageControl1");
    for (int direction = 0; direction < 2; ++direction) {
        notebook_->addTab(makePage(direction), pageTexts[direction].caption);
    }
    notebook_->setCurrentIndex(0);  // kept from then on between showings
    layout->addWidget(notebook_);

    addTableButtons(this, layout,
                    {[this] { Button1Click(); }, [this] { BitBtn4Click(); },
                     [this] { BitBtn1Click(); }, [this] { ButtonXlsxClick(); }});
}

QWidget* TFemcy::makePage(int direction) {
    auto* page = new QWidget(this);
    page->setObjectName(QString("TabSheet%1").arg(direction + 1));
    auto* layout = new QHBoxLayout(page);
    Page& p = pages_[static_cast<std::size_t>(direction)];

    p.list = new QListWidget(page);
    p.list->setObjectName(pageTexts[direction].list);
    p.list->setSelectionMode(QAbstractItemView::SingleSelection);
    p.list->setMaximumWidth(140);
    // A click shows the entry again even on the item already selected; the
    // arrow keys move the selection.
    connect(p.list, &QListWidget::itemClicked, this,
            [this, direction, list = p.list](QListWidgetItem* item) {
                LBCanAClick(direction, list->row(item));
            });
    connect(p.list, &QListWidget::currentRowChanged, this,
            [this, direction](int row) { LBCanAClick(direction, row); });
    layout->addWidget(p.list);

    auto* middle = new QVBoxLayout;
    middle->addWidget(makeFields(direction, page));
    p.enable = new QCheckBox(pageTexts[direction].enable, page);
    p.enable->setObjectName(lowerNamed("enable", direction));
    connect(p.enable, &QCheckBox::clicked, this,
            [this, direction](bool checked) { session_.emcy.page(direction).enable = checked; });
    middle->addWidget(p.enable);

    auto* buttons = new QHBoxLayout;
    auto* newButton = new FButton(named("New", direction), "New EMCY", page);
    auto* modify = new FButton(named("Modify", direction), pageTexts[direction].modify, page);
    auto* remove = new FButton(named("Delete", direction), "Delete EMCY", page);
    connect(newButton, &QPushButton::clicked, this, [this, direction] { NewAClick(direction); });
    connect(modify, &QPushButton::clicked, this, [this, direction] { ModifyAClick(direction); });
    connect(remove, &QPushButton::clicked, this, [this, direction] { DeleteAClick(direction); });
    buttons->addWidget(newButton);
    buttons->addWidget(modify);
    buttons->addWidget(remove);
    middle->addLayout(buttons);
    middle->addStretch();
    layout->addLayout(middle, 1);

    layout->addWidget(makeAliasGroup(direction, page));
    return page;
}

QWidget* TFemcy::makeFields(int direction, QWidget* parent) {
    static const char* const fieldNames[fenwarp::TClEmcy::text_field_count] = {
        "id_dev",       "mask_eq_ec",   "mask_eq_er",   "mask_eq_m1",   "mask_eq_m2",  "mask_eq_m3",
        "enmask_eq_ec", "enmask_eq_er", "enmask_eq_m1", "enmask_eq_m2", "enmask_eq_m3"};
    auto* fields = new QWidget(parent);
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    Page& p = pages_[static_cast<std::size_t>(direction)];
    for (std::size_t f = 0; f < p.edits.size(); ++f) {
        const int row = static_cast<int>(f);
        const QString field = named(fieldNames[f], direction);
        auto* label = new QLabel(fieldTexts[f].label, fields);
        label->setObjectName("L" + field);
        auto* edit = new QLineEdit(fields);
        edit->setObjectName("E" + field);
        label->setBuddy(edit);
        auto* range = new QLabel(fieldTexts[f].range, fields);
        range->setObjectName("R" + field);
        grid->addWidget(label, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(range, row, 2);
        connect(edit, &QLineEdit::textEdited, this, [this, direction, f](const QString& text) {
            session_.emcy.page(direction).inputs[f] = sstr(text);
        });
        p.edits[f] = edit;
    }
    return fields;
}

QWidget* TFemcy::makeAliasGroup(int direction, QWidget* parent) {
    const PageTexts& texts = pageTexts[direction];
    auto* group = new QGroupBox("Allias use", parent);
    group->setObjectName(named("Gbbypass_set", direction));
    auto* layout = new QVBoxLayout(group);
    for (int i = 0; i < 3; ++i) {
        auto* heading = new QLabel(texts.heading[i], group);
        heading->setObjectName(named("LAlias", direction) + QString::number(i + 1));
        layout->addWidget(heading);
    }
    Page& p = pages_[static_cast<std::size_t>(direction)];
    p.alias = new QButtonGroup(group);
    for (int alias = 0; alias < 9; ++alias) {
        const AliasButton& b = aliasButtons[alias];
        auto* button = new QRadioButton(b.caption ? b.caption : texts.noTranslate, group);
        button->setObjectName(lowerNamed(b.stem, direction));
        p.alias->addButton(button, alias);
        layout->addWidget(button);
    }
    p.alias->button(0)->setChecked(true);
    connect(p.alias, &QButtonGroup::idClicked, this,
            [this, direction](int alias) { session_.emcy.page(direction).alias = alias; });
    layout->addStretch();
    return group;
}

void TFemcy::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFemcy::FormShow() {
    session_.emcy.load(session_.context().documents.emcydef, messages_);
    showPages();
}

void TFemcy::LBCanAClick(int direction, int row) {
    if (showing_ || row < 0) return;
    session_.emcy.show_entry(direction, static_cast<std::size_t>(row));
    showPage(direction);
}

void TFemcy::NewAClick(int direction) {
    session_.emcy.new_entry(direction, messages_);
    showPage(direction);
}

void TFemcy::ModifyAClick(int direction) {
    session_.emcy.modify_entry(direction, messages_);
    showPage(direction);
}

void TFemcy::DeleteAClick(int direction) {
    session_.emcy.delete_entry(direction);
    showPage(direction);
}

void TFemcy::BitBtn1Click() {
    session_.emcy.save_document(session_.context().documents.emcydef);
    accept();
}

void TFemcy::Button1Click() {
    session_.emcy.export_csv(session_.context().project_dir);
}

void TFemcy::ButtonXlsxClick() {
    session_.emcy.export_xlsx(session_.context().project_dir);
}

void TFemcy::BitBtn4Click() {
    std::optional<QString> workbook = openExcel_.choose(this);
    if (!workbook) return;
    // The pages show what was taken; only a workbook the user has to change
    // is worth a message.
    fenwarp::report_import(session_.emcy.import_workbook(toPath(*workbook), session_.workbook),
                           messages_);
    showPages();
}

void TFemcy::showPage(int direction) {
    const fenwarp::EmcyPage& state = session_.emcy.page(direction);
    Page& p = pages_[static_cast<std::size_t>(direction)];
    showing_ = true;
    // The items are rebuilt only when they changed, never under a click on
    // one of them.
    QStringList texts;
    for (const std::string& item : state.items) texts << qstr(item);
    if (listTexts(p.list) != texts) {
        p.list->clear();
        p.list->addItems(texts);
    }
    p.list->setCurrentRow(state.selected ? static_cast<int>(*state.selected) : -1);
    for (std::size_t f = 0; f < p.edits.size(); ++f) p.edits[f]->setText(qstr(state.inputs[f]));
    p.enable->setChecked(state.enable);
    if (QAbstractButton* button = p.alias->button(state.alias)) button->setChecked(true);
    showing_ = false;
}

void TFemcy::showPages() {
    for (int direction = 0; direction < 2; ++direction) showPage(direction);
}
