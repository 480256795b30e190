#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>

#include "core/shell/session.h"

class FButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFsaveproj;
class XmlPictures;

// "XML Reader & Writer": any XML file as a tree, single items edited through
// the "Edit XML" dialog, the tree written back into the project folder.
class TFXML : public QDialog {
    Q_OBJECT
  public:
    static constexpr const char* dialogTitle = "Open XML File";
    static constexpr const char* filter = "XML Files (*.xml)";
    using Chooser = std::function<std::optional<QString>(QWidget* parent)>;

    TFXML(fenwarp::Session& session, TFsaveproj& editDialog, QWidget* parent = nullptr);

    // Tests put a chooser of their own in place of the file dialog.
    void setChooser(Chooser chooser) { chooser_ = std::move(chooser); }

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormShow();
    void btnOpenClick();
    void btnFullExpandClick();
    void btnWriteClick();
    // Both report whether they used the event.
    bool TvXmlMouseDown(Qt::MouseButton button);
    bool TvXmlKeyDown(int key);

    std::optional<QString> chooseFile();
    void showItems();
    void editSelected();

    fenwarp::Session& session_;
    TFsaveproj& editDialog_;
    Chooser chooser_;
    XmlPictures* IiXml_;
    QTreeWidget* TvXml_;
    FButton* btnopen_;
    FButton* btnFullExpand_;
    FButton* btnWrite_;
};
