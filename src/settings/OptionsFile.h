#pragma once
// Saving and loading an options file by name, without any window: the menu commands call these.
#include "settings/OptionsLoadResult.h"

#include <optional>
#include <string>

namespace tw {

class OptionsFile {
public:
    // Writes the options through a temporary file that replaces the old one only when every
    // byte was written, so a failed save keeps the previous file. Returns the I/O error text
    // on failure.
    static std::optional<std::string> save(const std::string& path, const OptionsData& data);

    // Reads and parses the whole file. Nothing in memory is touched: the caller applies
    // result.data only when result.loaded().
    static OptionsLoadResult load(const std::string& path, const SetupVars& current);
};

} // namespace tw
