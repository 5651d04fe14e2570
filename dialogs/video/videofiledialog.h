// SPDX-License-Identifier: MIT
#pragma once
// The common file dialog wrapper the video window chooses its file with (clsFileIO), over
// Qt's file dialog: a title (the program's by default), a type filter in the
// "Description|pattern|..." form and a default extension. It starts in the video folder
// and asks before an existing file is chosen for replacing.

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

class QWidget;

namespace orvex {

class VideoFileDialog {
public:
    // folder: where the dialog opens (the stored video folder, else the program's).
    explicit VideoFileDialog(const std::filesystem::path &folder, QWidget *owner = nullptr);

    void SetFilter(std::string_view filter) { filter_ = filter; }
    void SetDlgTitle(const QString &title) { title_ = title; }
    void SetDefaultExt(const QString &extension) { defaultExt_ = extension; }

    // VBGetSaveFileName: true, with fileName set, when the user accepted a file. A
    // fileName given is chosen when the dialog opens.
    bool GetSaveFileName(QString &fileName) const;

private:
    QWidget *owner_;
    std::string filter_;
    QString title_;
    QString defaultExt_;
    QString initDirectory_;
};

// "AVI Files|*.avi" as Qt writes a name filter: "AVI Files (*.avi)", pairs joined by ";;".
QString QtNameFilters(std::string_view filter);

} // namespace orvex
