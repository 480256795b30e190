#pragma once

#include <functional>

class QBoxLayout;
class QDialog;

// What the buttons under a table dialog's pages do; Cancel only closes.
struct TableActions {
    std::function<void()> Button1Click;     // Export
    std::function<void()> BitBtn4Click;     // Import
    std::function<void()> BitBtn1Click;     // OK
    std::function<void()> ButtonXlsxClick;  // Export xlsx
};

// The row under a table dialog's pages: "Export" (Button1), "Export xlsx"
// (ButtonXlsx) and "Import" (BitBtn4) on the left, "OK" (BitBtn1) and
// "Cancel" (BitBtn2) on the right.
void addTableButtons(QDialog* dialog, QBoxLayout* layout, const TableActions& actions);
