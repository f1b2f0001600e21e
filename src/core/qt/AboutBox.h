#pragma once
#include <QDialog>

namespace tw {

// "About": the product name and version with an OK button.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace tw
