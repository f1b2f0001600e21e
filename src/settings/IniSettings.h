#pragma once
// What the INI file (TARNWICK.INI) keeps: the options file to load at the next start, and what
// goes beyond the options file (Modern Server Mode, the text size, the long history and its
// split view, the game last picked in the MUD list, the map window's switches, accepted
// certificates, the speech of incoming text). Only these keys are read, and only these are
// written back.
#include "settings/IniText.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

class IniSettings {
public:
    // A larger file is not read at all: the program starts with its defaults.
    static constexpr std::size_t MaxFileBytes = 1u << 20;
    // A longer value is none of the program's.
    static constexpr std::size_t MaxValueBytes = 4096;

    // Reads the file; a missing file, or one that cannot be read, gives the defaults, and
    // problem() says why when the file is there.
    static IniSettings load(const std::string& path);
    // Writes fileText() through the safe save, making its folder when needed; the error text
    // on failure.
    std::optional<std::string> save(const std::string& path) const;

    // The program's keys in a file's bytes.
    static IniSettings fromText(std::string_view bytes);
    // What save() writes: never more than load() reads, a file made to grow when it is
    // written (bytes that are not UTF-8 take four) leaving the certificates out.
    std::string fileText() const;

    // Why an existing file was not read ("File too large", "Not a regular file" ...), empty
    // when it was read or is missing.
    const std::string& problem() const { return problem_; }

    // Section "Options", key "DefaultCFG": the file name as the file system's bytes.
    std::string defaultCfg() const;
    void setDefaultCfg(std::string file);
    // Section "Modern", key "Enabled": "true" or "false"; off when missing.
    bool modern() const;
    void setModern(bool on);
    // Section "View", key "Zoom": percent; 100 when missing or not a number.
    int zoom() const;
    void setZoom(int percent);
    // Section "View": the long history's switch ("LongHistory", off when missing), the most
    // lines it keeps ("HistoryLines") and the live pane's share of the split view in percent
    // ("SplitLivePercent"); the fallback when missing or not a number.
    bool longHistory() const;
    void setLongHistory(bool on);
    int historyLines(int fallback) const;
    int splitLivePercent(int fallback) const;
    void setSplitLivePercent(int percent);
    // Section "MUDList", key "LastUsed": the list's line of the game last connected to.
    std::string lastMud() const;
    void setLastMud(std::string line);
    // Section "Map", key "Follow", "OnTop" or "AutoSave": a switch of the map window; off when
    // missing. Other keys are none of the program's.
    bool mapSwitch(const std::string& key) const;
    void setMapSwitch(const std::string& key, bool on);
    // Section "Modern", key "Certificate_HOST_PORT": the SHA-256 fingerprint the player
    // trusted for host (any letter case) and port; empty when none.
    std::string certificate(const std::string& host, std::uint16_t port) const;
    void setCertificate(const std::string& host, std::uint16_t port, std::string fingerprint);

    // Section "Access": "Speak" ("true" or "false", off when missing), "Rate" (a number, 0 when
    // missing) and "Mute", the texts whose lines are not spoken, one per line of the value.
    bool speak() const;
    void setSpeak(bool on);
    int speechRate() const;
    void setSpeechRate(int rate);
    std::vector<std::string> mutedTexts() const;
    // Texts that would make the value longer than a value may be are left out, so that the
    // file stays readable; empty texts and line ends in a text are dropped.
    void setMutedTexts(const std::vector<std::string>& texts);

    const IniText& text() const { return text_; }

private:
    std::string get(const char* section, const char* key) const;
    bool flag(const char* section, const char* key) const;
    int number(const char* section, const char* key, int fallback) const;

    IniText text_;
    std::string problem_;
};

} // namespace tw
