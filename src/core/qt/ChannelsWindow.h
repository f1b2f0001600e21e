#pragma once
// The "Channels" window: the session's channel lines, one a line, the newest at the bottom.
#include "net/GameData.h"

#include <QWidget>

#include <cstddef>

class QPlainTextEdit;

namespace tw {

class ChannelsWindow : public QWidget {
    Q_OBJECT
public:
    ChannelsWindow(const ChannelLog& log, QWidget* parent = nullptr);

    // Lists the lines added to the log since the last call.
    void linesAdded();
    QPlainTextEdit* view() const { return view_; }

signals:
    // The player closed the window (the window manager's close button).
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    const ChannelLog& log_;
    QPlainTextEdit* view_;
    std::size_t listed_ = 0;  // of the log's added() lines
};

} // namespace tw
