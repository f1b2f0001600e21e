#pragma once
// Starts the programs that run beside Tarnwick: the help page viewer and the external editor.
// Neither is tracked once started, and a page or editor that cannot be found says nothing.
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTemporaryDir;

namespace tw {

class Launcher {
public:
    // The two ways out to the system, replaceable so that tests see what would be started.
    using OpenUrl = std::function<bool(const QUrl&)>;
    using StartDetached = std::function<bool(const QString& program, const QStringList& args)>;

    Launcher();
    ~Launcher();

    // Opens the page a help command line names ("EXPLORER.EXE docs\list_entry.html") in the
    // desktop's viewer. Does nothing at all while TARNWICK_NO_HELP is set, so that tests and CI
    // never open a browser. Returns whether a viewer was asked to show a page.
    bool runHelp(const std::string& commandLine) const;

    // Starts the external editor with one file (empty: the editor starts empty). Returns
    // whether a program was started.
    bool runEditor(const std::string& editor, const std::string& file) const;

    // The page a help command line names, searched beside the program, then in the current
    // folder; empty when there is none.
    QString helpPage(const std::string& commandLine) const;

    // The folders searched for the "docs" folder, in order: the program's data folders, then the
    // current folder.
    std::vector<std::string> helpBaseFolders() const;

    void setOpenUrl(OpenUrl f) { openUrl_ = std::move(f); }
    void setStartDetached(StartDetached f) { startDetached_ = std::move(f); }
    // Which programs count as installed; the PATH by default.
    void setIsOnPath(std::function<bool(const std::string&)> f) { isOnPath_ = std::move(f); }

private:
    // The empty file an editor opens when there is no other: one per run, in a folder that
    // goes when the program ends.
    std::string scratchFile() const;

    OpenUrl openUrl_;
    StartDetached startDetached_;
    std::function<bool(const std::string&)> isOnPath_;
    mutable std::unique_ptr<QTemporaryDir> scratchDir_;
};

} // namespace tw
