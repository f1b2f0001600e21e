#include "core/qt/StatusPanel.h"

namespace tw {

StatusPanel::StatusPanel(const char* name, const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
{
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setIndent(4);
    setTextFormat(Qt::PlainText);
}

} // namespace tw
