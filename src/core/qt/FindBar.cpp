#include "core/qt/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace tw {

FindBar::FindBar(QWidget* parent) : QWidget(parent)
{
    setObjectName("FindBar");
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(new QLabel("Find:", this));
    edit_ = new QLineEdit(this);
    edit_->setObjectName("FindBarText");
    edit_->setAccessibleName("Find in the game text");
    edit_->setMinimumWidth(200);
    edit_->installEventFilter(this);
    layout->addWidget(edit_);
    matchCase_ = new QToolButton(this);
    matchCase_->setObjectName("FindBarMatchCase");
    matchCase_->setText("Match &case");
    matchCase_->setCheckable(true);
    matchCase_->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(matchCase_);
    const auto button = [this, layout](const char* name, const QString& text, const QString& tip) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setText(text);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b);
        return b;
    };
    connect(button("FindBarOlder", QString::fromUtf8("\u25b2"), "Further back (Enter)"), &QToolButton::clicked,
            this, [this] { emit findNext(true); });
    connect(button("FindBarNewer", QString::fromUtf8("\u25bc"), "Further on (Shift+Enter)"), &QToolButton::clicked,
            this, [this] { emit findNext(false); });
    connect(button("FindBarClose", QString::fromUtf8("\u2715"), "Close (Escape)"), &QToolButton::clicked, this,
            [this] {
                hide();
                emit closed();
            });
    connect(edit_, &QLineEdit::textChanged, this, [this] {
        setFound(true);
        emit changed();
    });
    connect(matchCase_, &QToolButton::toggled, this, [this] { emit changed(); });
    hide();
}

QString FindBar::text() const { return edit_->text(); }

bool FindBar::matchCase() const { return matchCase_->isChecked(); }

void FindBar::open()
{
    show();
    raise();
    edit_->setFocus();
    edit_->selectAll();
}

void FindBar::setFound(bool found)
{
    edit_->setStyleSheet(found ? QString() : QString("background: #ffc0c0"));
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit findNext(!(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            hide();
            emit closed();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tw
