#pragma once
// The common file dialog wrapper the video window chooses its file with (clsFileIO), over
// Qt's file dialog: a title (the program's by default), a type filter in the
// "Description|pattern|..." form and a default extension. It starts in the stored video
// folder and asks before an existing file is chosen for replacing.

#include "settingsstore.h"

#include <QString>

#include <string>
#include <string_view>

class QWidget;

namespace orvex {

class VideoFileDialog {
public:
    explicit VideoFileDialog(const SettingsStore &store, QWidget *owner = nullptr);

    void SetFilter(std::string_view filter) { filter_ = filter; }
    void SetDlgTitle(const QString &title) { title_ = title; }
    void SetDefaultExt(const QString &extension) { defaultExt_ = extension; }

    // VBGetSaveFileName: true, with fileName set, when the user accepted a file.
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
