#pragma once
// The stat roller: while it rolls, every set of statistics the game shows is compared with
// the player's minimums, and the game is asked for another roll until a set reaches them.
// The window's six boxes, its race choice and its Roll/Stop state live here; the window
// shows them.
#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace tw {

class Host;

class StatRoller {
public:
    // The boxes: five statistics, then the minimum total.
    enum Box { STR, INT, WIS, DEX, CON, TOT, BoxCount };
    using Values = std::array<int, BoxCount>;

    struct Race {
        const char* name;
        Values minimums;
    };
    static const std::array<Race, 14>& races();

    static constexpr const char* RollCaption = "&Roll";
    static constexpr const char* StopCaption = "&Stop";
    static constexpr std::size_t MaxBlock = 255;

    explicit StatRoller(Host& host) : host_(host) {}

    // The box texts as the window shows them.
    std::array<std::string, BoxCount> boxes{"10", "10", "10", "10", "10", "90"};

    bool rolling() const { return rolling_; }
    const char* rollCaption() const { return rolling_ ? StopCaption : RollCaption; }

    // "&Roll" arms the roller (nothing is sent); "&Stop" disarms it.
    void RollBtnClick();
    // Stops rolling; the window hides itself.
    void QuitBtnClick() { rolling_ = false; }
    // The race box's text changed: a race name (exactly, case included) sets the six boxes.
    // Returns whether it did.
    bool ComboBox1Change(std::string_view text);
    // Leaving a box: its text is corrected by the box's rule.
    void exitBox(Box box);
    static std::string StatExit(const std::string& text);
    static std::string ETOTExit(const std::string& text);

    // The receive pipeline's tap for a block of at most 255 characters: true when the game
    // is to be asked for another roll.
    bool Examine(std::string_view block);

    std::string StatBuffer;

    // Rolling stopped on a match; the window shows the Roll caption again.
    std::function<void()> stopped;

private:
    Values minimums() const;

    Host& host_;
    bool rolling_ = false;
};

} // namespace tw
