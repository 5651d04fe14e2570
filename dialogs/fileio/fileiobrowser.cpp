// SPDX-License-Identifier: MIT
#include "fileiobrowser.h"

#include "fileiolisting.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>

namespace orvex {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString ToQString(const std::filesystem::path &path)
{
    return QString::fromStdString(path.string());
}

std::filesystem::path ToPath(const QString &text)
{
    return text.toStdString();
}

std::vector<std::filesystem::path> DriveRoots(const QComboBox &drives)
{
    std::vector<std::filesystem::path> roots;
    for (int i = 0; i < drives.count(); ++i)
        roots.push_back(ToPath(drives.itemData(i, kPathRole).toString()));
    return roots;
}

} // namespace

FileIOBrowser::FileIOBrowser(QComboBox &drives, QListWidget &folders, QListWidget &files, QObject *parent)
    : QObject(parent), drives_(drives), folders_(folders), files_(files)
{
    FillDrives();
    OpenFolder(QDir::homePath().toStdString());
    connect(&drives_, &QComboBox::activated, this,
            [this](int i) { OpenDrive(ToPath(drives_.itemData(i, kPathRole).toString())); });
    connect(&folders_, &QListWidget::itemActivated, this, &FileIOBrowser::OpenFolderOf);
    folders_.installEventFilter(this);
}

void FileIOBrowser::OpenFolderOf(const QListWidgetItem *item)
{
    if (item != nullptr)
        OpenFolder(ToPath(item->data(kPathRole).toString()));
}

bool FileIOBrowser::eventFilter(QObject *watched, QEvent *event)
{
    // The list passes Enter on to its window after opening the folder, and a dialog
    // takes Enter for its default button: OK would save, open or close at once.
    if (watched == &folders_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            OpenFolderOf(folders_.currentItem());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FileIOBrowser::FillDrives()
{
    QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
    std::ranges::sort(volumes, {}, &QStorageInfo::rootPath);
    for (const QStorageInfo &volume : volumes) {
        if (!volume.isValid() || !volume.isReady())
            continue;
        const QString name = volume.name();
        const QString text = name.isEmpty() ? volume.rootPath() : volume.rootPath() + " [" + name + "]";
        drives_.addItem(text, volume.rootPath());
    }
}

std::filesystem::path FileIOBrowser::Drive() const
{
    return ToPath(drives_.currentData(kPathRole).toString());
}

bool FileIOBrowser::OpenFolder(const std::filesystem::path &path)
{
    std::error_code error;
    if (path.empty() || !std::filesystem::is_directory(path, error))
        return false;
    folder_ = std::filesystem::absolute(path, error).lexically_normal();
    ShowDrive();
    ShowFolders();
    ShowFiles();
    return true;
}

bool FileIOBrowser::OpenDrive(const std::filesystem::path &root)
{
    const std::vector<std::filesystem::path> roots = DriveRoots(drives_);
    return std::ranges::find(roots, root) != roots.end() && OpenFolder(root);
}

void FileIOBrowser::OpenStored(const std::filesystem::path &drive, const std::filesystem::path &folder)
{
    if (!OpenFolder(folder))
        OpenDrive(drive);
}

void FileIOBrowser::SetPattern(std::string_view patterns)
{
    patterns_ = patterns;
    ShowFiles();
}

void FileIOBrowser::ShowDrive()
{
    const int i = drives_.findData(ToQString(DriveOf(folder_, DriveRoots(drives_))), kPathRole);
    if (i >= 0)
        drives_.setCurrentIndex(i);
}

void FileIOBrowser::ShowFolders()
{
    const QStyle &style = *QApplication::style();
    folders_.clear();
    int openRow = 0;
    for (const FolderEntry &entry : FolderListEntries(folder_)) {
        const QString indent(entry.depth * 2, QChar(' '));
        auto *item = new QListWidgetItem(style.standardIcon(entry.open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirIcon),
                                         indent + QString::fromStdString(entry.name), &folders_);
        item->setData(kPathRole, ToQString(entry.path));
        if (entry.open)
            openRow = folders_.count() - 1;
    }
    folders_.setCurrentRow(openRow);
}

void FileIOBrowser::ShowFiles()
{
    files_.clear();
    for (const std::string &name : FileListEntries(folder_, patterns_))
        files_.addItem(QString::fromStdString(name));
}

std::vector<std::string> FileIOBrowser::SelectedFiles() const
{
    std::vector<std::string> names;
    for (int row = 0; row < files_.count(); ++row)
        if (files_.item(row)->isSelected())
            names.push_back(files_.item(row)->text().toStdString());
    return names;
}

void FileIOBrowser::SelectFiles(const std::vector<std::string> &names)
{
    for (int row = 0; row < files_.count(); ++row) {
        QListWidgetItem &item = *files_.item(row);
        item.setSelected(std::ranges::find(names, item.text().toStdString()) != names.end());
    }
}

} // namespace orvex
