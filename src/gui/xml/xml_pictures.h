#pragma once

#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <vector>

// The tree editor's image list: two pictures per node kind, normal (2 ×
// kind) and selected (2 × kind + 1), drawn here rather than shipped.
class XmlPictures : public QObject {
    Q_OBJECT
  public:
    explicit XmlPictures(QObject* parent = nullptr);

    int count() const { return static_cast<int>(pictures_.size()); }
    const QPixmap& picture(int index) const {
        return pictures_.at(static_cast<std::size_t>(index));
    }
    // An icon showing `image` normally and `selected` while its item is selected.
    QIcon icon(int image, int selected) const;

  private:
    std::vector<QPixmap> pictures_;
};
