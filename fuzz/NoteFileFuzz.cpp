// The note look-up on arbitrary file contents and search texts: no crash, and a found note
// is one line of at most 255 characters.
#include "base/TextCut.h"
#include "tools/NoteFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string keyWord = in.ConsumeRandomLengthString(300);
    const std::string file = in.ConsumeRemainingBytesAsString();
    const std::optional<std::string> found = tw::NoteFile::findNote(file, keyWord);
    if (found && (tw::characterCount(*found, tw::TextCoding::Utf8) > tw::NoteFile::MaxLineLength ||
                  found->find('\n') != std::string::npos))
        std::abort();
    if (found && keyWord.empty())
        std::abort();
    return 0;
}
