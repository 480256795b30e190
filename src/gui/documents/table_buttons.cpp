#include "gui/documents/table_buttons.h"

#include <QBoxLayout>
#include <QDialog>

#include "gui/widgets/fbutton.h"

void addTableButtons(QDialog* dialog, QBoxLayout* layout, const TableActions& actions) {
    auto* buttons = new QHBoxLayout;
    auto* exportButton = new FButton("Button1", "Export", dialog);
    auto* xlsxButton = new FButton("ButtonXlsx", "Export xlsx", dialog);
    auto* importButton = new FButton("BitBtn4", "Import", dialog);
    auto* ok = new FButton("BitBtn1", "OK", dialog);
    auto* cancel = new FButton("BitBtn2", "Cancel", dialog);
    buttons->addWidget(exportButton);
    buttons->addWidget(xlsxButton);
    buttons->addWidget(importButton);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    QObject::connect(exportButton, &QPushButton::clicked, dialog, actions.Button1Click);
    QObject::connect(xlsxButton, &QPushButton::clicked, dialog, actions.ButtonXlsxClick);
    QObject::connect(importButton, &QPushButton::clicked, dialog, actions.BitBtn4Click);
    QObject::connect(ok, &QPushButton::clicked, dialog, actions.BitBtn1Click);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}
