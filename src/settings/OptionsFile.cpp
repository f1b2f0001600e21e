#include "settings/OptionsFile.h"

#include "base/FileIo.h"
#include "settings/OptionsFileReader.h"
#include "settings/OptionsFileWriter.h"

namespace tw {

std::optional<std::string> OptionsFile::save(const std::string& path, const OptionsData& data)
{
    return writeFileAtomically(path, OptionsFileWriter::write(data));
}

OptionsLoadResult OptionsFile::load(const std::string& path, const SetupVars& current)
{
    // Something that is there but is no file is refused by the read, with its reason.
    if (!pathExists(path))
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::FileMissing);
    // The header decides before anything else is read, so a large stray file costs nothing.
    std::string error;
    const std::optional<std::string> head = readFileHead(path, OptionsFileWriter::HeaderSize, error);
    if (!head)
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::IoError, error);
    if (head->size() < OptionsFileWriter::HeaderSize)
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::IoError, ReadBeyondEndOfFile);
    if (!OptionsFileReader::headerVersion(*head))
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::RefusedHeader);
    const std::optional<std::string> bytes =
        readWholeFile(path, error, OptionsFileWriter::LargestFileSize);
    if (!bytes)
        return OptionsLoadResult::failed(OptionsLoadResult::Kind::IoError, error);
    return OptionsFileReader::read(*bytes, current);
}

} // namespace tw
