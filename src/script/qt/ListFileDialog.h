#pragma once
// The save and open dialogs of the list exports and imports. Each list dialog asks for a file
// name through a FileChooser, which tests replace so that no real file dialog opens.
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace tw {

class Host;

struct FileChoice {
    enum Kind { Save, Open };
    FileChoice() = default;
    FileChoice(Kind kind, QString title, QString defaultSuffix, QString filter, QString initialName = {},
               bool askBeforeOverwriting = true)
        : kind(kind), title(std::move(title)), defaultSuffix(std::move(defaultSuffix)),
          filter(std::move(filter)), initialName(std::move(initialName)),
          askBeforeOverwriting(askBeforeOverwriting)
    {
    }

    Kind kind = Open;
    QString title;         // "Export Trigger List"
    QString defaultSuffix; // "trg"
    QString filter;        // "Trigger List (*.trg)|*.trg|Text File (*.txt)|*.txt|All Files (*.*)|*.*"
    QString initialName;   // empty: "*." and the default suffix
    bool askBeforeOverwriting = true;
};

// Returns the chosen path, or an empty string when the player cancels.
using FileChooser = std::function<QString(const FileChoice&)>;

// An export or import on the chosen path; returns the I/O error text on failure.
using FileTransfer = std::function<std::optional<std::string>(const std::string& path)>;

class ListFileDialog {
public:
    // Runs a modal file dialog: a save dialog asks before overwriting, an open dialog accepts
    // only an existing file.
    static QString choose(QWidget* parent, const FileChoice& choice);
    // The dialog choose() runs, set up but not shown. Name filters ignore letter case, and
    // "All Files (*.*)" shows every file, those without a dot in their names too.
    static std::unique_ptr<QFileDialog> make(QWidget* parent, const FileChoice& choice);

    // Turns "Name (*.x)|*.x|Other (*.*)|*.*" into the name filters of a Qt file dialog.
    static QStringList nameFilters(const QString& filter);

    // The default chooser for a dialog: choose() with that dialog as parent.
    static FileChooser forParent(QWidget* parent);

    // Asks for the file and runs the export or import on it; a failure is shown by the general
    // error report with its I/O error text. Nothing happens when the player cancels.
    static void transfer(const FileChooser& chooser, const FileChoice& choice, Host& host,
                         const FileTransfer& operation);
};

} // namespace tw
