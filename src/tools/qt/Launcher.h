#pragma once
// Starts the programs that run beside Tarnwick: the help page viewer and the external editor.
// Neither is tracked once started. An editor that cannot be found says nothing; a help page
// that cannot be opened is named so that the window can say so.
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tw {

class ScratchFiles;

class Launcher {
public:
    // The two ways out to the system, replaceable so that tests see what would be started.
    // OpenUrl returns whether a viewer was started, and calls failedLater should the viewer
    // then give up without showing the page.
    using OpenUrl = std::function<bool(const QUrl& page, std::function<void()> failedLater)>;
    using StartDetached = std::function<bool(const QString& program, const QStringList& args)>;

    Launcher();
    ~Launcher();

    // Opens the page a help command line names ("EXPLORER.EXE docs\list_entry.html") in the
    // desktop's viewer. Returns whether a viewer took the page.
    bool runHelp(const std::string& commandLine) const;
    // The introduction page at start: not while TARNWICK_NO_HELP is set, so that tests and CI
    // never open a browser by just starting the program; silent when it cannot open.
    bool runStartupHelp() const;

    // The page as the player should read it in a message: where it was found, or where it was
    // looked for first.
    QString helpPageForMessage(const std::string& commandLine) const;

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
    // The desktop's own viewer: xdg-open, whose exit code tells whether a program took the
    // page, or where there is none, whatever the desktop services offer.
    static OpenUrl desktopOpener();
    // The opener every Launcher made from now on starts with (tests put a stand-in here, so
    // that no browser is ever started).
    static void setDefaultOpenUrl(OpenUrl f);

    // Called when a viewer that was started gives up on a page, with the help command line.
    std::function<void(const std::string& commandLine)> onViewerFailed;
    void setStartDetached(StartDetached f) { startDetached_ = std::move(f); }
    // Which programs count as installed; the PATH by default.
    void setIsOnPath(std::function<bool(const std::string&)> f) { isOnPath_ = std::move(f); }

    // Where the empty files for an editor started without one are made (see ScratchFiles):
    // ~/.local/share/tarnwick/scratch unless set.
    static QString defaultScratchFolder();
    void setScratchFolder(const QString& folder);

private:

    OpenUrl openUrl_;
    StartDetached startDetached_;
    // Lets a viewer that ends after this Launcher is gone find nobody to tell.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    std::function<bool(const std::string&)> isOnPath_;
    std::unique_ptr<ScratchFiles> scratch_;
};

} // namespace tw
