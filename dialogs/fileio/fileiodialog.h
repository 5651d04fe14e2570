// SPDX-License-Identifier: MIT
#pragma once
// The template file dialog (frmFileIO): a drive, folder and file list, a file name and
// a type list. In open mode the chosen file must exist and is opened into the properties
// dialog; in save mode the properties dialog is saved to it. Either happens on OK, in
// the dialog itself, and makes the file the current template.

#include "dialogvalues.h"
#include "propscontext.h"
#include "templatefilenames.h"

#include <QDialog>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace Ui {
class frmFileIO;
}

namespace orvex {

class FileIOBrowser;

class FileIODialog final : public QDialog {
    Q_OBJECT
public:
    // dialog and context outlive this window: OK opens into or saves from them.
    FileIODialog(DialogValues &dialog, const PropsContext &context, QWidget *parent = nullptr);
    ~FileIODialog() override;

    // mustExist: open mode, else save mode. performAction: open or save on OK (else OK
    // only chooses the file). filter: "Description|pattern|..." pairs for the type list.
    void Prepare(bool mustExist, bool performAction, const QString &title,
                 std::string_view filter = kTemplateFilter,
                 std::string_view defaultExtension = kTemplateDefaultExtension);

    // The accepted file; empty after Cancel.
    const std::filesystem::path &ChosenPath() const { return chosen_; }

    void done(int result) override;

private:
    void RestoreFolder();
    void ChooseType(int index);
    void Accept();
    // Opens or saves path; false, having said why, when that failed.
    bool Perform(const std::filesystem::path &path);
    bool Open(const std::filesystem::path &path);
    bool Save(const std::filesystem::path &path);
    void Tell(const QString &message);

    std::unique_ptr<Ui::frmFileIO> ui_;
    DialogValues &dialog_;
    PropsContext context_; // references to the store and templates
    FileIOBrowser *browser_;
    bool mustExist_ = true;
    bool performAction_ = true;
    std::string defaultExtension_{kTemplateDefaultExtension};
    std::filesystem::path chosen_;
};

} // namespace orvex
