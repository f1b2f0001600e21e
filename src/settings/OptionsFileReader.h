#pragma once
// Reads the bytes of an options file ("IDAB", or the previous "IDAA") into a fresh OptionsData.
// Nothing is applied here: the caller replaces its settings and lists only when the whole
// file was read, so a short or damaged file changes nothing.
#include "settings/OptionsLoadResult.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tw {

class OptionsFileReader {
public:
    // current is the settings record in use: a settings item shorter than the record replaces
    // only its first bytes, and the previous format replaces only the low half of FontHeight.
    static OptionsLoadResult read(std::string_view bytes, const SetupVars& current);

    // The format named by the 6-byte header, or nothing for a header we refuse.
    static std::optional<OptionsVersion> headerVersion(std::string_view header);

private:
    OptionsFileReader(std::string_view bytes, OptionsVersion version)
        : bytes_(bytes), version_(version)
    {
    }

    void readSettings(SetupVars& setup);
    void readPackedSettings(SetupVars& setup);
    void readMuds(MudList& muds);
    void readHotkeys(HotkeyTable& hotkeys);
    void readKeypad(KeypadTable& keypad);
    void readAliases(AliasList& aliases);
    void readTriggers(TriggerList& triggers);
    void readPalette(Palette& palette);

    // An item is a word L and L bytes laid over the start of the destination; bytes beyond
    // the destination are skipped so that the reader stays in step.
    std::string stringItem(const std::string& destination);
    bool flagItem(bool destination);
    std::uint16_t listCount(std::size_t itemsPerEntry);

    void need(std::size_t n) const;
    const std::uint8_t* take(std::size_t n);
    std::uint8_t byte();
    std::uint16_t word();
    std::uint32_t dword();

    std::string_view bytes_;
    std::size_t pos_ = 0;
    OptionsVersion version_;
};

} // namespace tw
