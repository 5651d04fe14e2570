// SPDX-License-Identifier: MIT
#include "aboutbox.h"

#include "creditlines.h"
#include "creditswindow.h"
#include "performanceprompts.h"
#include "productinfo.h"
#include "productlicence.h"
#include "settingsstore.h"
#include "templateio.h"
#include "ui_aboutbox.h"

#include <QEvent>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>

namespace orvex {

namespace {

// What the about box's Credits button hands the credits window.
constexpr int32_t kCreditsStars = 1200;
constexpr float kCreditsSpeed = 0.005f;
constexpr float kCreditsScrollStep = 1.0f;

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

AboutBox::AboutBox(SettingsStore &store, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmAbout>()), store_(store)
{
    ui_->setupUi(this);
    ui_->lblProduct->setText(kProductName);
    ui_->lblVersion->setText(QString::fromStdString("Version " + ProductVersion()));
    ui_->lblCopy->setText(FromView(kTemplateCopyright));
    ui_->lblLicence->setText(QString::fromUtf8(kCopyrightLine) + QStringLiteral("\nReleased under the MIT licence."));
    ui_->lblCopy->installEventFilter(this);
    ui_->lblSmall->installEventFilter(this);
    connect(ui_->cmdCredits, &QPushButton::clicked, this, &AboutBox::ShowCredits);
}

AboutBox::~AboutBox() = default;

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);
    if (watched == ui_->lblCopy)
        Ask(LoggingPrompt(), LoggingDefaultAnswer(store_), ApplyLoggingAnswer);
    else if (watched == ui_->lblSmall)
        Ask(FrameRatePrompt(), FrameRateDefaultAnswer(store_), ApplyFrameRateAnswer);
    return true;
}

void AboutBox::Ask(const PerformancePrompt &prompt, const std::string &defaultAnswer, ApplyAnswer apply)
{
    QInputDialog box(this);
    box.setWindowTitle(FromView(prompt.title));
    box.setLabelText(QString::fromStdString(prompt.prompt));
    box.setTextValue(QString::fromStdString(defaultAnswer));
    // The prompts hold whole paragraphs: unwrapped, the logging one is wider than most screens.
    if (auto *label = box.findChild<QLabel *>())
        label->setWordWrap(true);
    box.setMaximumWidth(screen()->availableGeometry().width());
    if (box.exec() != QDialog::Accepted)
        return;
    const QString answer = box.textValue();
    if (answer.trimmed().isEmpty())
        return;
    if (!store_.CheckSettingsWritable()) {
        QMessageBox::warning(this, FromView(kSettingsReadOnlyTitle), FromView(kSettingsReadOnlyMessage));
        return;
    }
    apply(store_, answer.toStdString());
}

void AboutBox::ShowCredits()
{
    auto *credits = new CreditsWindow(store_, this);
    credits->FormLet({kCreditsStars, kCreditsSpeed, kCreditsScrollStep, CreditLines()});
    credits->show();
}

} // namespace orvex
