#pragma once
// The find bar over the colour view: what to find, whether the case matters, and the way to
// the next occurrence further back (Enter) or further on (Shift+Enter); Escape closes it.
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace tw {

class FindBar : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(QWidget* parent = nullptr);

    QString text() const;
    bool matchCase() const;
    // Opens the bar with its text selected, ready for a new one.
    void open();
    // Shows whether the last search found anything.
    void setFound(bool found);

    QLineEdit* edit() const { return edit_; }

signals:
    // The text or the case changed: every occurrence on screen is to be marked anew.
    void changed();
    void findNext(bool older);
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* edit_;
    QToolButton* matchCase_;
};

} // namespace tw
