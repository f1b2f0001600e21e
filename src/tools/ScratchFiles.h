#pragma once
// The empty text files given to the editor when Run Editor has no file for it: a new one each
// time, in a folder of the player's, so that what the player saves in one is never opened
// again as another's start. At exit the files still empty are removed; those the player wrote
// text into stay.
#include <string>
#include <vector>

namespace tw {

class ScratchFiles {
public:
    explicit ScratchFiles(std::string folder) : folder_(std::move(folder)) {}
    ~ScratchFiles() { removeEmpty(); }
    ScratchFiles(const ScratchFiles&) = delete;
    ScratchFiles& operator=(const ScratchFiles&) = delete;

    const std::string& folder() const { return folder_; }

    // Creates the folder when needed and a new empty file in it, "untitled-1.txt",
    // "untitled-2.txt" ... (the first free name), and returns its path; empty when it cannot.
    std::string create();

    // Removes the files create() made that are still empty. The folder stays, so that an
    // editor still open on one can save it.
    void removeEmpty();

private:
    std::string folder_;
    std::vector<std::string> made_;
};

} // namespace tw
