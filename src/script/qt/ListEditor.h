#pragma once
// A list dialog over one kind of record: Entry has line(); EditDlg has prepareAdd(),
// fillFrom(entry) and acceptedEntry(); ListFile has exportTo(path, list) and
// importFrom(path, list). The list itself belongs to the caller and outlives the dialog.
#include "base/qt/GameText.h"
#include "script/qt/ListEditorDlg.h"

#include <vector>

namespace tw {

template <typename Entry, typename EditDlg, typename ListFile>
class ListEditor : public ListEditorDlg {
public:
    EditDlg& editDlg() { return *editDlg_; }

protected:
    ListEditor(std::vector<Entry>& entries, Host& host, Texts texts, QWidget* parent)
        : ListEditorDlg(host, std::move(texts), parent), entries_(entries), editDlg_(new EditDlg(host, this))
    {
    }

    // The entry of the first selected line, if any.
    std::optional<Entry> selectedEntry() const
    {
        if (const auto row = selectedRow())
            return entries_[*row];
        return std::nullopt;
    }

private:
    std::size_t entryCount() const override { return entries_.size(); }
    std::string entryLine(std::size_t row) const override { return entries_[row].line(); }

    std::optional<std::string> addEntry() override
    {
        editDlg_->prepareAdd();
        const std::optional<Entry> entry = runEditDlg();
        if (!entry)
            return std::nullopt;
        entries_.push_back(*entry);
        return entry->line();
    }

    std::optional<std::string> editEntry(std::size_t row) override
    {
        editDlg_->fillFrom(entries_[row]);
        const std::optional<Entry> entry = runEditDlg();
        if (!entry)
            return std::nullopt;
        entries_[row] = *entry;
        return entry->line();
    }

    void eraseEntry(std::size_t row) override { entries_.erase(entries_.begin() + std::ptrdiff_t(row)); }

    std::optional<std::string> exportEntries(const std::string& path) const override
    {
        return ListFile::exportTo(path, entries_);
    }

    std::optional<std::string> importEntries(const std::string& path) override
    {
        return ListFile::importFrom(path, entries_, GameText::coding());
    }

    // What the edit dialog describes when the player closed it with OK.
    std::optional<Entry> runEditDlg()
    {
        if (editDlg_->exec() != QDialog::Accepted)
            return std::nullopt;
        return editDlg_->acceptedEntry();
    }

    std::vector<Entry>& entries_;
    EditDlg* editDlg_;
};

} // namespace tw
