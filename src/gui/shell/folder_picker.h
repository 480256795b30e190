#pragma once

#include <QString>
#include <optional>

class QWidget;

// A folder picker whose tree is rooted at root, which the user cannot leave;
// its first view shows the root's folders with preselect selected, so that
// confirming at once returns preselect. Nothing of it is persisted.
std::optional<QString> pickFolderUnder(QWidget* parent, const QString& title, const QString& root,
                                       const QString& preselect);
