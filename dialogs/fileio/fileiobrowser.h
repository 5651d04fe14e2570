// SPDX-License-Identifier: MIT
#pragma once
// Keeps a drive list, a folder list and a file list in step: choosing a drive opens its
// root folder, opening a folder (double-click or Enter) lists its subfolders and files
// and selects its drive, and the file list shows only the files of the chosen type.
// Enter on a folder opens it and does nothing else: the window's default button stays
// unpressed.

#include <QObject>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QListWidget;
class QListWidgetItem;

namespace orvex {

class FileIOBrowser final : public QObject {
    Q_OBJECT
public:
    // The lists belong to the caller's window; their items are this browser's. The
    // user's home folder is shown first.
    FileIOBrowser(QComboBox &drives, QListWidget &folders, QListWidget &files, QObject *parent);

    const std::filesystem::path &Folder() const { return folder_; }
    std::filesystem::path Drive() const;

    // false, with nothing changed, when path is no folder.
    bool OpenFolder(const std::filesystem::path &path);
    // Opens the root of a mounted file system; false when none has that root.
    bool OpenDrive(const std::filesystem::path &root);
    // A stored place: the folder when it is one, else the drive's root when it is
    // mounted, else the folder shown stays.
    void OpenStored(const std::filesystem::path &drive, const std::filesystem::path &folder);

    // Patterns as MatchesFilePattern takes them ("*.lmr", "*.*").
    void SetPattern(std::string_view patterns);

    std::vector<std::string> SelectedFiles() const;
    void SelectFiles(const std::vector<std::string> &names);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OpenFolderOf(const QListWidgetItem *item);
    void FillDrives();
    void ShowDrive();
    void ShowFolders();
    void ShowFiles();

    QComboBox &drives_;
    QListWidget &folders_;
    QListWidget &files_;
    std::filesystem::path folder_;
    std::string patterns_ = "*.*";
};

} // namespace orvex
