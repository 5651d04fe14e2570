// SPDX-License-Identifier: MIT
#include "fileiodialog.h"
#include "ui_fileiodialog.h"

#include "fileiobrowser.h"
#include "fileioplacement.h"
#include "helptopics.h"
#include "helpwindow.h"
#include "templateio.h"

#include <QMessageBox>

namespace orvex {

namespace {

constexpr std::string_view kMessageTitle = "Orvex Lumora";
constexpr std::string_view kPlacementSection = "General\\Template";
constexpr std::string_view kFolderSection = "Template";
constexpr std::string_view kKeyDrive = "Path_Drive";
constexpr std::string_view kKeyFolder = "Path_Dir";

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

FileIODialog::FileIODialog(DialogValues &dialog, const PropsContext &context, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmFileIO>()), dialog_(dialog), context_(context)
{
    ui_->setupUi(this);
    browser_ = new FileIOBrowser(*ui_->drvTemp, *ui_->dirTemp, *ui_->filTemp, this);
    RestorePlacement(*this, context_.store, kPlacementSection);
    RestoreFolder();
    Prepare(true, true, windowTitle());

    connect(ui_->cboTypes, &QComboBox::currentIndexChanged, this, &FileIODialog::ChooseType);
    connect(ui_->filTemp, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem *item) { ui_->txtFile->setText(item->text()); });
    connect(ui_->filTemp, &QListWidget::itemActivated, this, [this](const QListWidgetItem *item) {
        ui_->txtFile->setText(item->text());
        Accept();
    });
    connect(ui_->cmdOK, &QPushButton::clicked, this, &FileIODialog::Accept);
    connect(ui_->cmdDismiss, &QPushButton::clicked, this, &FileIODialog::reject);
    connect(ui_->cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, kHelpTemplateFiles); });
}

FileIODialog::~FileIODialog() = default;

void FileIODialog::RestoreFolder()
{
    browser_->OpenStored(context_.store.ReadSettingText(kFolderSection, kKeyDrive),
                         context_.store.ReadSettingText(kFolderSection, kKeyFolder));
}

void FileIODialog::Prepare(bool mustExist, bool performAction, const QString &title, std::string_view filter,
                           std::string_view defaultExtension)
{
    mustExist_ = mustExist;
    performAction_ = performAction;
    defaultExtension_ = defaultExtension;
    setWindowTitle(title);
    const QSignalBlocker blockTypes(ui_->cboTypes);
    ui_->cboTypes->clear();
    ui_->cboFilter->clear();
    for (const FileType &type : SplitFilter(filter)) {
        ui_->cboTypes->addItem(QString::fromStdString(type.description));
        ui_->cboFilter->addItem(QString::fromStdString(type.pattern));
    }
    ui_->cboTypes->setCurrentIndex(0);
    ChooseType(0);
}

void FileIODialog::ChooseType(int index)
{
    ui_->cboFilter->setCurrentIndex(index);
    browser_->SetPattern(index >= 0 ? ui_->cboFilter->currentText().toStdString() : "*.*");
}

void FileIODialog::Accept()
{
    const FileChoice choice =
        ChooseTemplateFile(mustExist_, browser_->Folder(), ui_->txtFile->text().toStdString(), defaultExtension_);
    if (!choice.message.empty()) {
        Tell(ToQString(choice.message));
        return;
    }
    if (!Perform(choice.path))
        return;
    context_.store.WriteSetting(kFolderSection, kKeyDrive, browser_->Drive().string());
    context_.store.WriteSetting(kFolderSection, kKeyFolder, browser_->Folder().string());
    chosen_ = choice.path;
    accept();
}

bool FileIODialog::Perform(const std::filesystem::path &path)
{
    if (!performAction_) {
        context_.templates.SetCurrentPath(path);
        return true;
    }
    return mustExist_ ? Open(path) : Save(path);
}

bool FileIODialog::Open(const std::filesystem::path &path)
{
    // Opening a file that is no template would put a default into every field.
    const TemplateCheck check = context_.templates.CheckTemplate(path);
    if (check != TemplateCheck::Usable) {
        context_.templates.ClearCache();
        const bool unreadable = check == TemplateCheck::Unreadable;
        Tell(ToQString(unreadable ? TemplateUnreadableMessage(path) : NotATemplateMessage(path)));
        return false;
    }
    context_.templates.SetCurrentPath(path);
    OpenTemplateIntoDialog(dialog_, context_);
    return true;
}

bool FileIODialog::Save(const std::filesystem::path &path)
{
    std::filesystem::path previous = context_.templates.CurrentPath();
    context_.templates.SetCurrentPath(path);
    if (SaveTemplate(dialog_, context_))
        return true;
    context_.templates.SetCurrentPath(std::move(previous));
    Tell(ToQString(TemplateNotSavedMessage(path)));
    return false;
}

void FileIODialog::Tell(const QString &message)
{
    QMessageBox::information(this, ToQString(kMessageTitle), message);
    if (!mustExist_)
        ui_->txtFile->setFocus();
}

void FileIODialog::done(int result)
{
    SavePlacement(*this, context_.store, kPlacementSection);
    QDialog::done(result);
}

} // namespace orvex
