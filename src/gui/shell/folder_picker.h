#pragma once

#include <QString>
#include <optional>

class QWidget;

// A folder picker whose tree is rooted at root: the user cannot leave it.
std::optional<QString> pickFolderUnder(QWidget* parent, const QString& title, const QString& root,
                                       const QString& preselect);
