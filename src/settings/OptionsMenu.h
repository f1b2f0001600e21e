#pragma once
// The steps of the Options menu's "&Save Options..." and "&Load Options..." after the player
// has picked a file: the questions, message boxes and status texts, through the Host. The
// window runs the file dialog, applies loaded data and keeps the current options file name.
#include "base/Host.h"
#include "settings/OptionsLoadResult.h"

#include <string>

namespace tw {

class OptionsMenu {
public:
    static constexpr const char* LoadTitle = "Load Options";
    static constexpr const char* SaveTitle = "Save Options";
    static constexpr const char* DialogFilter = "Options File (*.cfg)|*.cfg|All files (*.*)|*.*";
    static constexpr const char* DefaultExtension = "CFG";
    static constexpr const char* InitialFileName = "*.CFG";

    static constexpr const char* ExistsCaption = "File Exists!";
    static constexpr const char* ExistsText = "Overwrite file?";
    static constexpr const char* SavedStatus = "Option file saved";
    static constexpr const char* LoadedStatus = "Option file loaded";
    static constexpr const char* NotLoadedStatus = "Option file not loaded";
    static constexpr const char* MissingCaption = "Error";
    static constexpr const char* MissingText = "File doesn't exist!";
    static constexpr const char* RefusedCaption = "Options Failed!";
    static constexpr const char* RefusedText =
        "Config no longer supported. Please get at least version 3.";

    enum class SaveOutcome {
        Saved,    // the file holds the options; the chosen name becomes the current one
        Declined, // the player would not overwrite: nothing was written
        Failed    // errorText goes to the program's error report; the old file is intact
    };
    struct SaveResult {
        SaveOutcome outcome = SaveOutcome::Saved;
        std::string errorText;
    };

    // After the save dialog: asks before overwriting, writes, and reports "Option file saved"
    // only once the file is safely written.
    static SaveResult saveOptions(Host& host, const std::string& path, const OptionsData& data);
    // The same without the question: for the current options file, which the player chose
    // before.
    static SaveResult saveOptionsOver(Host& host, const std::string& path, const OptionsData& data);

    // LoadOptionsNow: reads the file and tells the player what happened. The caller then acts
    // on the kind: Loaded -> apply result.data; RefusedHeader -> clear the current options
    // file name; IoError -> show result.errorText in the program's error report.
    static OptionsLoadResult loadOptionsNow(Host& host, const std::string& path,
                                            const SetupVars& current);
};

} // namespace tw
