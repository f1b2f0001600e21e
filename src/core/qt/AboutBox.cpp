#include "core/qt/AboutBox.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName("AboutBox");
    setWindowTitle("About");
    auto* product = new QLabel("Tarnwick");
    product->setObjectName("ProductName");
    QFont big = product->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    product->setFont(big);
    product->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel("Version 5.0");
    version->setObjectName("Version");
    version->setAlignment(Qt::AlignCenter);
    auto* ok = new QPushButton("OK");
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(40, 24, 40, 16);
    top->setSpacing(12);
    top->addWidget(product);
    top->addWidget(version);
    top->addLayout(buttons);
    setFixedSize(sizeHint());
}

} // namespace tw
