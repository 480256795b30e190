#include "gui/xml/TFXML.h"

#include <QEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QShowEvent>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <exception>

#include "gui/qt_messages.h"
#include "gui/shell/TFsaveproj.h"
#include "gui/widgets/fbutton.h"
#include "gui/xml/xml_pictures.h"

namespace {

// Enables a button again however the operation it started ends.
class DisabledWhileRunning {
  public:
    explicit DisabledWhileRunning(QWidget* button) : button_(button) { button_->setEnabled(false); }
    ~DisabledWhileRunning() { button_->setEnabled(true); }
    DisabledWhileRunning(const DisabledWhileRunning&) = delete;
    DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

  private:
    QWidget* button_;
};

QTreeWidgetItem* makeItem(const fenwarp::XmlTreeItem& item, const XmlPictures& pictures) {
    auto* made = new QTreeWidgetItem(QStringList(qstr(item.text)));
    made->setIcon(0, pictures.icon(item.image_index, item.selected_index));
    for (const fenwarp::XmlTreeItem& child : item.children) {
        made->addChild(makeItem(child, pictures));
    }
    return made;
}

fenwarp::XmlTreeEditor::ItemPath pathOf(QTreeWidgetItem* item) {
    fenwarp::XmlTreeEditor::ItemPath path;
    for (; item->parent() != nullptr; item = item->parent()) {
        path.insert(path.begin(), static_cast<std::size_t>(item->parent()->indexOfChild(item)));
    }
    path.insert(path.begin(),
                static_cast<std::size_t>(item->treeWidget()->indexOfTopLevelItem(item)));
    return path;
}

}  // namespace

TFXML::TFXML(fenwarp::Session& session, TFsaveproj& editDialog, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowTitleHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      session_(session),
      editDialog_(editDialog) {
    setObjectName("TFXML");
    setWindowTitle("XML Reader & Writer");
    setSizeGripEnabled(true);
    resize(520, 560);
    IiXml_ = new XmlPictures(this);

    auto* layout = new QVBoxLayout(this);
    TvXml_ = new QTreeWidget(this);
    TvXml_->setObjectName("TvXml");
    TvXml_->setHeaderHidden(true);
    TvXml_->setColumnCount(1);
    TvXml_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TvXml_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    TvXml_->installEventFilter(this);
    TvXml_->viewport()->installEventFilter(this);
    layout->addWidget(TvXml_, 1);

    auto* buttons = new QHBoxLayout;
    btnopen_ = new FButton("btnopen", "Open ", this);
    btnFullExpand_ = new FButton("btnFullExpand", "Full Expand", this);
    btnWrite_ = new FButton("btnWrite", "Write", this);
    buttons->addWidget(btnopen_);
    buttons->addWidget(btnFullExpand_);
    buttons->addWidget(btnWrite_);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(btnopen_, &QPushButton::clicked, this, &TFXML::btnOpenClick);
    connect(btnFullExpand_, &QPushButton::clicked, this, &TFXML::btnFullExpandClick);
    connect(btnWrite_, &QPushButton::clicked, this, &TFXML::btnWriteClick);
}

void TFXML::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TFXML::FormShow() {
    session_.xml_tree.clear();
    TvXml_->clear();
}

std::optional<QString> TFXML::chooseFile() {
    if (chooser_) return chooser_(this);
    QFileDialog dialog(this, dialogTitle, QString(), filter);
    dialog.setObjectName("opdXMLFile");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("xml");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

void TFXML::btnOpenClick() {
    DisabledWhileRunning running(btnopen_);
    const std::optional<QString> file = chooseFile();
    if (!file) return;
    // A parse error leaves the editor and the tree as they were and goes on
    // to the application's handler with the parser's message.
    session_.xml_tree.open(toPath(*file));
    showItems();
}

void TFXML::showItems() {
    TvXml_->setUpdatesEnabled(false);
    TvXml_->clear();
    QList<QTreeWidgetItem*> top;
    for (const fenwarp::XmlTreeItem& item : session_.xml_tree.items()) {
        top.append(makeItem(item, *IiXml_));
    }
    TvXml_->addTopLevelItems(top);
    TvXml_->setUpdatesEnabled(true);
}

void TFXML::btnFullExpandClick() {
    TvXml_->expandAll();
}

void TFXML::btnWriteClick() {
    DisabledWhileRunning running(btnWrite_);
    session_.xml_tree.write(session_.context().project_dir);
}

bool TFXML::eventFilter(QObject* watched, QEvent* event) {
    // The press that opened the editor is used up, so it does not go on to
    // select another item behind the edited one.
    if (watched == TvXml_->viewport() && event->type() == QEvent::MouseButtonPress) {
        return TvXmlMouseDown(static_cast<QMouseEvent*>(event)->button());
    }
    if (watched == TvXml_ && event->type() == QEvent::KeyPress) {
        return TvXmlKeyDown(static_cast<QKeyEvent*>(event)->key());
    }
    return QDialog::eventFilter(watched, event);
}

bool TFXML::TvXmlMouseDown(Qt::MouseButton button) {
    if (button != Qt::RightButton) return false;
    editSelected();
    return true;
}

bool TFXML::TvXmlKeyDown(int key) {
    if (key != Qt::Key_F2) return false;
    editSelected();
    return true;
}

void TFXML::editSelected() {
    QTreeWidgetItem* item = TvXml_->currentItem();
    if (item == nullptr || !item->isSelected()) return;
    try {
        editDialog_.setMode(TFsaveproj::Mode::EditText);
        editDialog_.setText(item->text(0));
        if (editDialog_.exec() != QDialog::Accepted) return;
        const QString text = editDialog_.text();
        if (session_.xml_tree.set_text(pathOf(item), sstr(text))) item->setText(0, text);
    } catch (const std::exception&) {
        // Editing an item never reports a fault; the item keeps its text.
    }
}
