// SPDX-License-Identifier: MIT
#include "advanceddialog.h"
#include "ui_advanceddialog.h"

#include "advancedcontrols.h"
#include "capturefolder.h"
#include "factorythemes.h"
#include "fileiobrowser.h"
#include "fileioplacement.h"
#include "helptopics.h"
#include "helpwindow.h"
#include "numberfield.h"
#include "propertysources.h"
#include "templatefilenames.h"

#include <QFontDatabase>
#include <QMessageBox>

#include <stdexcept>

namespace orvex {

namespace {

constexpr std::string_view kPlacementSection = "General\\Advanced";
constexpr int kCaptureFileItems = 100;
constexpr int kThemePage = 0;
constexpr int kTemplatePage = 1;

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString CaptureNotes(const std::filesystem::path &folder)
{
    return QStringList{
        "Copy screen to Clipboard on click Spacebar.",
        "Set the Desktop Wallpaper on click D key.",
        "Capture screen to Bitmap File on click F key.",
        "Bitmap images are saved to the directory",
        "where the screen saver is installed:",
        "   " + Text(folder.string()),
        "Image file names begin with Orvex ",
        "and have a file type of bmp.",
        "Select the Maximum number of bitmap files",
        "to save in the filename rotation.",
    }.join('\n');
}

QString NotStoredMessage(const SettingsStore &store)
{
    return "The advanced settings could not be saved to\n" + Text(store.File().string()) +
           "\nPlease check that you may write to that folder and that the disk is not full, then press OK "
           "again. The settings saved earlier are unchanged.";
}

template <typename Widget>
Widget &Find(QWidget &window, std::string_view name)
{
    auto *widget = window.findChild<Widget *>(Text(name));
    if (widget == nullptr)
        throw std::logic_error("the dialog has no control " + std::string(name));
    return *widget;
}

} // namespace

AdvancedDialog::AdvancedDialog(SettingsStore &store, EngineLibrary &engine, bool cycleThemes, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmAdvanced>()), store_(store), engine_(engine),
      values_(LoadAdvancedValues(store, cycleThemes))
{
    ui_->setupUi(this);
    templates_ = new FileIOBrowser(*ui_->drvTemplates, *ui_->dirTemplates, *ui_->filTemplates, this);
    templates_->SetPattern(SplitFilter(kTemplateFilter).front().pattern);
    RestorePlacement(*this, store_, kPlacementSection);
    FillLists();
    ShowCaptureNotes();

    StarPropertySet colours;
    cone_ = LoadColorSettings(colours, store_);
    ui_->imgHueWheel->ShowWedges(colours.Value(StarProperty::StartAng), colours.Value(StarProperty::WedgeMin),
                                 colours.Value(StarProperty::WedgeMax));

    BindControls();
    ShowValues();
    templates_->OpenStored(values_.templates.drive, values_.templates.directory);
    templates_->SelectFiles(values_.templates.files);
    RedrawHueWheel();

    connect(ui_->chkThemes, &QCheckBox::toggled, this, [this](bool on) {
        values_.cycleThemes = on;
        EnableFrames();
    });
    connect(ui_->chkScreenCapture, &QCheckBox::toggled, this, &AdvancedDialog::EnableFrames);
    connect(ui_->cmdToggleThemeView, &QPushButton::clicked, this, &AdvancedDialog::ToggleThemeView);
    connect(ui_->cmdDefaults, &QPushButton::clicked, this, &AdvancedDialog::Defaults);
    connect(ui_->cmdOK, &QPushButton::clicked, this, &AdvancedDialog::Accept);
    connect(ui_->cmdDismiss, &QPushButton::clicked, this, &AdvancedDialog::reject);
    connect(ui_->cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, kHelpAdvanced); });
}

AdvancedDialog::~AdvancedDialog() = default;

void AdvancedDialog::FillLists()
{
    ui_->cboFont->addItems(QFontDatabase::families());
    for (int count = 1; count <= kCaptureFileItems; ++count)
        ui_->cboCaptureImageBuffer->addItem(QString::number(count));
    for (const std::string &name : FillThemeList(true))
        ui_->lstThemes->addItem(QString::fromStdString(name));
}

void AdvancedDialog::ShowCaptureNotes()
{
    ui_->txtScreenCapture->setPlainText(CaptureNotes(CaptureFolder(CaptureEnvironment::FromProcess())));
}

void AdvancedDialog::BindControls()
{
    numberFields_.assign(AdvancedControls().size(), nullptr);
    for (size_t i = 0; i < AdvancedControls().size(); ++i) {
        if (AdvancedControls()[i].kind == ControlKind::Number)
            BindNumber(i);
        else
            BindOther(i);
    }
}

void AdvancedDialog::BindNumber(size_t i)
{
    const AdvancedControl &control = AdvancedControls()[i];
    auto *spin = control.rule.hasSpin ? &Find<SpinButton>(*this, control.SpinName()) : nullptr;
    const auto leave = [this, i] {
        LeaveAdvancedControl(values_, i);
        return values_.controls[i];
    };
    numberFields_[i] = new NumberField(Find<QLineEdit>(*this, control.name), values_.controls[i], control.rule, spin,
                                       leave);
    if (control.hueWheelField >= 0)
        connect(numberFields_[i], &NumberField::changed, this, &AdvancedDialog::RedrawHueWheel);
}

// Free text, check boxes and lists keep their value in step with what they show.
void AdvancedDialog::BindOther(size_t i)
{
    std::string &value = values_.controls[i];
    QWidget &widget = Find<QWidget>(*this, AdvancedControls()[i].name);
    const bool text = AdvancedControls()[i].kind == ControlKind::Text;
    if (auto *edit = qobject_cast<QLineEdit *>(&widget)) {
        edit->setMaxLength(AdvancedControls()[i].rule.maxLength);
        connect(edit, &QLineEdit::textChanged, this, [&value](const QString &shown) { value = shown.toStdString(); });
    } else if (auto *check = qobject_cast<QCheckBox *>(&widget)) {
        connect(check, &QCheckBox::toggled, this, [&value](bool on) { value = on ? "1" : "0"; });
    } else if (auto *list = qobject_cast<QComboBox *>(&widget); list != nullptr && text) {
        connect(list, &QComboBox::currentTextChanged, this,
                [&value](const QString &shown) { value = shown.toStdString(); });
    } else if (list != nullptr) {
        connect(list, &QComboBox::currentIndexChanged, this, [&value](int index) { value = std::to_string(index); });
    }
}

void AdvancedDialog::ShowValues()
{
    for (size_t i = 0; i < AdvancedControls().size(); ++i) {
        if (numberFields_[i] != nullptr)
            numberFields_[i]->Show();
        else
            ShowOther(i);
    }
    ShowThemes();
    ui_->chkThemes->setChecked(values_.cycleThemes);
    EnableFrames();
}

void AdvancedDialog::ShowOther(size_t i)
{
    const QString value = QString::fromStdString(values_.controls[i]);
    QWidget &widget = Find<QWidget>(*this, AdvancedControls()[i].name);
    if (auto *edit = qobject_cast<QLineEdit *>(&widget)) {
        edit->setText(value);
    } else if (auto *check = qobject_cast<QCheckBox *>(&widget)) {
        check->setChecked(value.toInt() != 0);
    } else if (auto *list = qobject_cast<QComboBox *>(&widget); list != nullptr &&
                                                               AdvancedControls()[i].kind == ControlKind::Text) {
        // A font that is not installed stays chosen; the message falls back to a similar one.
        if (list->findText(value) < 0)
            list->insertItem(0, value);
        list->setCurrentIndex(list->findText(value));
    } else if (list != nullptr) {
        list->setCurrentIndex(value.toInt());
    }
}

void AdvancedDialog::ShowThemes()
{
    for (int entry = 0; entry < ui_->lstThemes->count(); ++entry)
        ui_->lstThemes->item(entry)->setSelected(ThemeSelected(values_.themeFlags, entry));
}

void AdvancedDialog::ReadLists()
{
    values_.themeFlags = 0;
    for (int entry = 0; entry < ui_->lstThemes->count(); ++entry)
        if (ui_->lstThemes->item(entry)->isSelected())
            values_.themeFlags = WithTheme(values_.themeFlags, entry);
    values_.templates = {templates_->Drive().string(), templates_->Folder().string(), templates_->SelectedFiles()};
}

void AdvancedDialog::EnableFrames()
{
    ui_->fraExtraCycleThemes->setEnabled(ui_->chkThemes->isChecked());
    const bool capture = ui_->chkScreenCapture->isChecked();
    ui_->cboCaptureImageBuffer->setEnabled(capture);
    ui_->txtScreenCapture->setEnabled(capture);
}

void AdvancedDialog::ToggleThemeView()
{
    const bool showTemplates = ui_->stkThemeView->currentIndex() == kThemePage;
    ui_->stkThemeView->setCurrentIndex(showTemplates ? kTemplatePage : kThemePage);
    ui_->cmdToggleThemeView->setText(QString("Select ") + (showTemplates ? "Templates" : "Themes") + " for Cycling:");
}

void AdvancedDialog::RedrawHueWheel()
{
    ui_->imgHueWheel->DrawCone(engine_, LoadHueWheelSettings(HueWheelFields(values_)), cone_);
}

void AdvancedDialog::Defaults()
{
    ApplyAdvancedDefaults(values_);
    ShowValues();
    RedrawHueWheel();
}

void AdvancedDialog::Accept()
{
    // The field being edited is checked as if it were left.
    ui_->cmdOK->setFocus();
    ReadLists();
    for (size_t i = 0; i < AdvancedControls().size(); ++i)
        LeaveAdvancedControl(values_, i);
    ShowValues();
    if (!StoreAdvancedValues(values_, store_)) {
        QMessageBox::warning(this, windowTitle(), NotStoredMessage(store_));
        return;
    }
    accept();
}

void AdvancedDialog::done(int result)
{
    SavePlacement(*this, store_, kPlacementSection);
    QDialog::done(result);
}

} // namespace orvex
