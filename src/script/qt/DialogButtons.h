#pragma once
// The push buttons that the dialogs share, built one way everywhere so that their names,
// captions and Enter handling cannot drift apart.
#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace tw {

class DialogButtons {
public:
    // A button for the column beside a list or a table of boxes. It does not become the
    // default when focused, so Enter still reaches the dialog's default button.
    template <typename Dialog, typename Slot>
    static QPushButton* columnButton(Dialog* dialog, const char* name, const char* caption, Slot slot)
    {
        auto* b = new QPushButton(caption, dialog);
        b->setObjectName(name);
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, dialog, slot);
        return b;
    }

    // The right-aligned "OK", "Cancel", "&Help" row at the foot of a dialog; OK is the default
    // button and Cancel rejects. Returns the OK button.
    template <typename Dialog, typename OkSlot, typename HelpSlot>
    static QPushButton* addOkCancelHelpRow(QBoxLayout* layout, Dialog* dialog, OkSlot ok, HelpSlot help)
    {
        auto* okBtn = new QPushButton("OK", dialog);
        okBtn->setObjectName("OKBtn");
        okBtn->setDefault(true);
        auto* cancelBtn = new QPushButton("Cancel", dialog);
        cancelBtn->setObjectName("CancelBtn");
        auto* helpBtn = new QPushButton("&Help", dialog);
        helpBtn->setObjectName("HelpBtn");
        QObject::connect(okBtn, &QPushButton::clicked, dialog, ok);
        QObject::connect(cancelBtn, &QPushButton::clicked, dialog, &QDialog::reject);
        QObject::connect(helpBtn, &QPushButton::clicked, dialog, help);

        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(okBtn);
        row->addWidget(cancelBtn);
        row->addWidget(helpBtn);
        layout->addLayout(row);
        return okBtn;
    }
};

} // namespace tw
