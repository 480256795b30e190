#pragma once

#include "core/check/findings_list.h"

class QDialog;

// Brings the dialog's page and record of a finding into view and selects it:
// the grid row, the list item or the tree node, found by the component names
// the dialogs give them. Runs once the dialog is shown and has loaded.
void locateRecord(QDialog* dialog, const fenwarp::FindingTarget& target);
