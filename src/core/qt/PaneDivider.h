#pragma once
// The bar between the two panes of the split colour view: dragged, it moves the border between
// them; its close mark at the right joins them again.
#include <QWidget>

namespace tw {

class PaneDivider : public QWidget {
    Q_OBJECT
public:
    static constexpr int Height = 12;
    explicit PaneDivider(QWidget* parent = nullptr);
    // Where the close mark is drawn.
    QRect closeMarkRect() const;

signals:
    // The divider is being dragged to this y of the parent widget.
    void dragged(int parentY);
    // The drag ended.
    void released();
    void closeClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging_ = false;
    int grabY_ = 0; // where in the divider the drag took hold
};

} // namespace tw
