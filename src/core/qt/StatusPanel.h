#pragma once
#include <QLabel>

namespace tw {

// A lowered, left-aligned panel of the status row.
class StatusPanel : public QLabel {
    Q_OBJECT
public:
    StatusPanel(const char* name, const QString& caption, QWidget* parent = nullptr);
};

} // namespace tw
