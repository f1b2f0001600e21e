#include "settings/OptionsMenu.h"

#include "base/FileIo.h"
#include "settings/OptionsFile.h"

namespace tw {

OptionsMenu::SaveResult OptionsMenu::saveOptions(Host& host, const std::string& path,
                                                 const OptionsData& data)
{
    if (fileExists(path) &&
        host.messageBox(ExistsCaption, ExistsText, MsgButtons::YesNo) != MsgAnswer::Yes)
        return {SaveOutcome::Declined, {}};
    return saveOptionsOver(host, path, data);
}

OptionsMenu::SaveResult OptionsMenu::saveOptionsOver(Host& host, const std::string& path,
                                                     const OptionsData& data)
{
    if (std::optional<std::string> error = OptionsFile::save(path, data))
        return {SaveOutcome::Failed, std::move(*error)};
    host.setStatus(SavedStatus);
    return {SaveOutcome::Saved, {}};
}

OptionsLoadResult OptionsMenu::loadOptionsNow(Host& host, const std::string& path,
                                              const SetupVars& current)
{
    OptionsLoadResult result = OptionsFile::load(path, current);
    switch (result.kind) {
    case OptionsLoadResult::Kind::Loaded:
        host.setStatus(LoadedStatus);
        break;
    case OptionsLoadResult::Kind::FileMissing:
        host.messageBox(MissingCaption, MissingText, MsgButtons::Ok);
        host.setStatus(NotLoadedStatus);
        break;
    case OptionsLoadResult::Kind::RefusedHeader:
        host.messageBox(RefusedCaption, RefusedText, MsgButtons::Ok);
        break;
    case OptionsLoadResult::Kind::IoError:
        // Nothing was replaced, so the status must not claim that anything was loaded.
        host.setStatus(NotLoadedStatus);
        break;
    }
    return result;
}

} // namespace tw
