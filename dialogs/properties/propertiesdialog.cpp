// SPDX-License-Identifier: MIT
#include "propertiesdialog.h"
#include "ui_propertiesdialog.h"

#include "aboutbox.h"
#include "advanceddialog.h"
#include "diagnosticswindow.h"
#include "dialogtransfer.h"
#include "displaysettings.h"
#include "factoryreset.h"
#include "fileiodialog.h"
#include "fileioplacement.h"
#include "helptopics.h"
#include "helpwindow.h"
#include "settingsstore.h"
#include "startupcontext.h"
#include "templateio.h"
#include "videowindow.h"
#include "welcomewindow.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QShortcut>
#include <QTimer>

#include <utility>

namespace orvex {

namespace {

constexpr std::string_view kPlacementSection = "General\\Main";
constexpr const char *kMessageTitle = "Orvex Lumora";

// The system's messages break lines the Windows way.
QString Plain(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size())).replace("\r\n", "\n");
}

QString PathText(const std::filesystem::path &path)
{
    return QString::fromStdString(path.string());
}

} // namespace

PropertiesDialog::PropertiesDialog(const DialogServices &services, QWidget *parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::PropertiesDialog>()), services_(services),
      props_{services.store, services.context.templates,
             {services.context.screenWidthPx, services.context.screenHeightPx}}
{
    ui_->setupUi(this);
    setWindowTitle(kTitle);
    FillDisplayLists(values_, services_.context.resolutions);
    firstOpening_ = LoadDialogOnOpen(values_, props_);
    BindFrames();
    BindMenus();
    ShowValues();
    RestorePlacement(*this, services_.store, kPlacementSection);
}

PropertiesDialog::~PropertiesDialog() = default;

void PropertiesDialog::BindFrames()
{
    ui_->fraMainProps->Bind(values_);
    ui_->fraExtras->Bind(values_);
    ui_->fraColorProps->Bind(values_, services_.store, services_.engine);
    ui_->fraDirectX->Bind(values_, services_.store);
    ui_->themeRow->Bind(values_);
    ui_->fraPreview->Bind(services_, values_);
    connect(ui_->themeRow, &ThemeRow::fieldsFilled, this, &PropertiesDialog::ShowFields);
    connect(ui_->themeRow, &ThemeRow::cycleThemesSwitched, this, &PropertiesDialog::SwitchCycleThemes);
    connect(ui_->fraPreview, &PreviewFrame::previewStarted, this, [this] { LockForPreview(true); });
    connect(ui_->fraPreview, &PreviewFrame::previewStopped, this, [this] {
        LockForPreview(false);
        ui_->fraColorProps->RedrawWheel(); // the fields' wedges in place of the last frame's
    });
    connect(ui_->fraPreview, &PreviewFrame::colourStepped, ui_->fraColorProps, &ColourFrame::ShowColourStep);
    connect(ui_->fraPreview, &PreviewFrame::videoRequested, this, &PropertiesDialog::ShowVideoWindow);
}

void PropertiesDialog::BindMenus()
{
    connect(ui_->mnuFileArray_0, &QAction::triggered, this, &PropertiesDialog::OpenTemplate);
    connect(ui_->mnuFileArray_2, &QAction::triggered, this, &PropertiesDialog::SaveCurrentTemplate);
    connect(ui_->mnuFileArray_3, &QAction::triggered, this, &PropertiesDialog::SaveTemplateAs);
    connect(ui_->mnuFileArray_5, &QAction::triggered, this, &PropertiesDialog::Exit);
    connect(ui_->mnuEditArray_0, &QAction::triggered, this, &PropertiesDialog::ResetProperties);
    connect(ui_->mnuEditArray_2, &QAction::triggered, this, &PropertiesDialog::ShowAdvancedSettings);
    connect(ui_->cmdSetThemes, &QPushButton::clicked, this, &PropertiesDialog::ShowAdvancedSettings);
    connect(ui_->mnuHelpArray_0, &QAction::triggered, this, [this] { ShowHelp(this, kHelpContents); });
    connect(ui_->mnuHelpArray_1, &QAction::triggered, this, [this] { ShowHelp(this, kHelpSearch); });
    connect(ui_->mnuHelpArray_3, &QAction::triggered, this,
            [this] { ShowDiagnostics(this, services_.store, services_.engine); });
    connect(ui_->mnuHelpArray_9, &QAction::triggered, this, [this] { AboutBox(services_.store, this).exec(); });
    connect(ui_->cmdAccept, &QPushButton::clicked, this, &PropertiesDialog::Accept);
    connect(ui_->cmdDismiss, &QPushButton::clicked, this, &QWidget::close);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &PropertiesDialog::Escape);
}

void PropertiesDialog::ShowValues()
{
    ShowFields();
    ui_->themeRow->Show();
    SwitchCycleThemes(values_.chkCycleThemes != 0);
}

void PropertiesDialog::ShowFields()
{
    ui_->fraMainProps->Show();
    ui_->fraExtras->Show();
    ui_->fraColorProps->Show();
    ui_->fraDirectX->Show();
}

void PropertiesDialog::SwitchCycleThemes(bool on)
{
    // The stored properties are not used while themes cycle.
    ui_->fraMainProps->SetPropertiesEditable(!on);
    ui_->fraExtras->SetPropertiesEditable(!on);
    ui_->fraColorProps->SetPropertiesEditable(!on);
    ui_->themeRow->SetPropertiesEditable(!on);
}

void PropertiesDialog::LockForPreview(bool locked)
{
    // Controls a switch turned off stay off when their frame is enabled again.
    for (QWidget *control : std::initializer_list<QWidget *>{ui_->fraMainProps, ui_->fraExtras, ui_->fraColorProps,
                                                            ui_->fraDirectX, ui_->themeRow, ui_->cmdAccept,
                                                            ui_->cmdDismiss, ui_->cmdSetThemes})
        control->setEnabled(!locked);
}

void PropertiesDialog::Escape()
{
    // The preview button is the cancel button while the preview runs.
    if (ui_->fraPreview->Running())
        ui_->fraPreview->Stop();
    else
        close();
}

void PropertiesDialog::Accept()
{
    ui_->cmdAccept->setFocus(); // the field being edited is left, and corrected, first
    if (!services_.store.CheckSettingsWritable())
        QMessageBox::warning(this, Plain(kSettingsReadOnlyTitle), Plain(kSettingsReadOnlyMessage));
    else if (!SaveSettings())
        QMessageBox::warning(this, kMessageTitle,
                             "The settings could not be saved to\n" + PathText(services_.store.File()) +
                                 "\nPlease check that the disk is not full. The settings saved there before are "
                                 "unchanged.");
    close();
}

bool PropertiesDialog::SaveSettings()
{
    // One replacement of the settings file: all of the dialog is saved, or none of it.
    services_.store.BeginBatch();
    const bool stored = StoreDialogToSettings(values_, props_);
    return services_.store.CommitBatch() && stored;
}

void PropertiesDialog::ResetProperties()
{
    const auto answer = QMessageBox::question(this, Plain(kResetQuestionTitle), Plain(kResetQuestionText),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    FactoryReset(values_, props_);
    ShowValues();
}

void PropertiesDialog::OpenTemplate()
{
    FileIODialog files(values_, props_, this);
    files.Prepare(true, true, "Select Template to Open");
    if (files.exec() == QDialog::Accepted)
        ShowValues();
}

void PropertiesDialog::SaveCurrentTemplate()
{
    if (props_.templates.CurrentPath().empty()) {
        SaveTemplateAs();
        return;
    }
    if (!SaveTemplate(values_, props_))
        QMessageBox::warning(this, kMessageTitle,
                             "The template could not be saved as\n" + PathText(props_.templates.CurrentPath()) +
                                 "\nPlease check that you may write to that folder and that the disk is not "
                                 "full. The file saved there before is unchanged.");
}

void PropertiesDialog::SaveTemplateAs()
{
    FileIODialog files(values_, props_, this);
    files.Prepare(false, true, "Enter or Select Template to Save");
    files.exec();
}

void PropertiesDialog::ShowAdvancedSettings()
{
    AdvancedDialog advanced(services_.store, services_.engine, values_.chkCycleThemes != 0, this);
    if (advanced.exec() == QDialog::Accepted) {
        values_.chkCycleThemes = advanced.CycleThemes() ? 1 : 0;
        ui_->themeRow->Show();
        SwitchCycleThemes(advanced.CycleThemes());
    }
    ui_->fraColorProps->RedrawWheel();
}

void PropertiesDialog::ShowVideoWindow()
{
    // A single video records the dialog's properties as they are now, saved or not.
    VideoWindow video(services_.context, services_.store, services_.engine,
                      [this](StarPropertySet &set) { set = PropertiesFromDialog(values_); }, this);
    video.exec();
}

void PropertiesDialog::Exit()
{
    services_.context.exitFromMenu = true;
    close();
}

void PropertiesDialog::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // Over the dialog once it is on the screen.
    if (std::exchange(firstOpening_, false))
        QTimer::singleShot(0, this, [this] { ShowWelcomeOnFirstOpening(true, this); });
}

void PropertiesDialog::closeEvent(QCloseEvent *event)
{
    ui_->fraPreview->Stop();
    SavePlacement(*this, services_.store, kPlacementSection);
    event->accept();
}

} // namespace orvex
