// SPDX-License-Identifier: MIT
#include "videofiledialog.h"

#include "templatefilenames.h"
#include "templateio.h"

#include <QFileDialog>
#include <QStringList>

namespace orvex {

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

QString QtNameFilters(std::string_view filter)
{
    QStringList filters;
    for (const FileType &type : SplitFilter(filter))
        filters << Text(type.description) + " (" + Text(type.pattern) + ")";
    return filters.join(";;");
}

VideoFileDialog::VideoFileDialog(const std::filesystem::path &folder, QWidget *owner)
    : owner_(owner), title_(Text(kTemplateProduct)), initDirectory_(QString::fromStdString(folder.string()))
{
}

bool VideoFileDialog::GetSaveFileName(QString &fileName) const
{
    QFileDialog dialog(owner_, title_, initDirectory_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtNameFilters(filter_));
    dialog.setDefaultSuffix(defaultExt_);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName = dialog.selectedFiles().constFirst();
    return true;
}

} // namespace orvex
