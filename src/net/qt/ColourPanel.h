#pragma once
// A captioned panel filled with one colour that reports clicks. It takes the focus with Tab
// and Space clicks it, and assistive technologies see a button named after its colour.
#include <QColor>
#include <QLabel>

namespace tw {

class ColourPanel : public QLabel {
    Q_OBJECT
public:
    ColourPanel(const QString& caption, QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return colour_; }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
};

} // namespace tw
