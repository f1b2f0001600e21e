#include "core/qt/ChannelsWindow.h"

#include "core/ChannelLine.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tw {

ChannelsWindow::ChannelsWindow(const ChannelLog& log, QWidget* parent)
    : QWidget(parent, Qt::Window), log_(log), view_(new QPlainTextEdit(this))
{
    setObjectName("ChannelsWindow");
    setWindowTitle("Channels");
    view_->setObjectName("ChannelLines");
    view_->setAccessibleName("Channel lines");
    view_->setReadOnly(true);
    view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view_->setMaximumBlockCount(int(ChannelLog::MaxLines));
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    resize(560, 260);
}

void ChannelsWindow::linesAdded()
{
    const auto& lines = log_.lines();
    // More new lines than the log keeps: the oldest of them are gone already.
    const std::size_t fresh = std::min(log_.added() - std::min(listed_, log_.added()), lines.size());
    // The text edit keeps to the end by itself while it shows the end, but only while shown.
    QScrollBar* bar = view_->verticalScrollBar();
    const bool following = !isVisible() || bar->value() == bar->maximum();
    for (auto it = lines.end() - std::ptrdiff_t(fresh); it != lines.end(); ++it)
        view_->appendPlainText(QString::fromStdString(channelLineText(*it)));
    listed_ = log_.added();
    if (following)
        bar->setValue(bar->maximum());
}

void ChannelsWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

// Opened again, the window shows the newest lines.
void ChannelsWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    view_->moveCursor(QTextCursor::End);
    view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->maximum());
}

} // namespace tw
