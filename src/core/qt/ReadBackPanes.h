#pragma once
// The split colour view: the upper pane (the history and the scrollback, where the player
// reads back), the divider, and the live pane below (the terminal's own view, following the
// end). Joined, the live pane is the whole view. The live pane takes a share of the height that
// the divider sets, a third at first.
#include <QObject>
#include <QRect>

#include <functional>

namespace tw {

class MirrorView;
class PaneDivider;
struct Palette;
class ReadBack;
class Terminal;

class ReadBackPanes : public QObject {
    Q_OBJECT
public:
    static constexpr int DefaultLivePercent = 33;
    static constexpr int MinLivePercent = 10, MaxLivePercent = 80;

    // The upper pane and the divider are made in the live view's parent.
    ReadBackPanes(Terminal& terminal, const Palette& palette, ReadBack& readBack, MirrorView& live);

    // Places the panes in the area the colour view takes and tells the reading position their
    // rows; shows or hides the upper pane as the view is split or joined.
    void layOut(QRect area);
    void layOut() { layOut(area_); }
    void refresh();

    int livePercent() const { return livePercent_; }
    void setLivePercent(int percent);
    // Called when a drag of the divider ends, to remember the share.
    std::function<void(int percent)> livePercentChosen;

    MirrorView* upper() const { return upper_; }
    PaneDivider* divider() const { return divider_; }

private:
    int liveHeight() const;

    ReadBack& readBack_;
    MirrorView& live_;
    MirrorView* upper_;
    PaneDivider* divider_;
    QRect area_;
    int livePercent_ = DefaultLivePercent;
};

} // namespace tw
