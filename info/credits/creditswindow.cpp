// SPDX-License-Identifier: MIT
#include "creditswindow.h"

#include "productinfo.h"
#include "ui_creditswindow.h"

#include <QStringList>

namespace orvex {

namespace {

// A star field a few pixels wide stops nothing, but leaves nothing to draw either.
constexpr int kSmallestField = 16;
constexpr float kTextBelowFrameTop = 10;
// Without a star field the text keeps the factory frame pace.
constexpr int kDelayWithoutField = 10;

QString CreditsText(const std::vector<std::string> &credits)
{
    QStringList lines;
    for (const std::string &line : ProductHeaderLines())
        lines << QString::fromStdString(line);
    for (const std::string &line : credits)
        lines << QString::fromStdString(line);
    return lines.join('\n');
}

} // namespace

CreditsWindow::CreditsWindow(SettingsStore &store, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmCredits>()), store_(store)
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    ui_->picFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, &CreditsWindow::NextFrame);
    connect(ui_->cmdDismiss, &QPushButton::clicked, this, &CreditsWindow::reject);
    connect(ui_->picField, &PictureBox::pressed, this, &CreditsWindow::OnFieldPressed);
}

CreditsWindow::~CreditsWindow() = default;

void CreditsWindow::FormLet(CreditsSettings settings)
{
    settings_ = std::move(settings);
    const QString text = CreditsText(settings_.credits);
    ui_->picCredits->setText(text);
    const int lineCount = int(text.count('\n')) + 1;
    ui_->picCredits->resize(ui_->picFrame->width(), lineCount * ui_->picCredits->fontMetrics().lineSpacing());
    creditsTop_ = float(ui_->picFrame->height()) - kTextBelowFrameTop;
    ui_->picCredits->move(0, qRound(creditsTop_));
}

int32_t CreditsWindow::BlendMul() const
{
    return run_ ? run_->BlendMul() : 0;
}

void CreditsWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!started_) {
        started_ = true;
        StartLoop();
    }
}

void CreditsWindow::hideEvent(QHideEvent *event)
{
    frameTimer_.stop();
    QDialog::hideEvent(event);
}

void CreditsWindow::StartLoop()
{
    const QSize field = ui_->picField->PixelSize();
    if (field.width() >= kSmallestField && field.height() >= kSmallestField) {
        try {
            run_.emplace(store_, engine_, field.width(), field.height());
            run_->Start(settings_);
        } catch (...) {
            run_.reset(); // no star field; the credits still scroll
        }
    }
    scrollStep_ = ClampedForLoop(settings_).scrollStep;
    frameTimer_.start(run_ ? run_->FrameDelayMs() : kDelayWithoutField);
}

void CreditsWindow::NextFrame()
{
    if (run_) {
        run_->Frame();
        const OffscreenTarget &picture = run_->Picture();
        ui_->picField->ShowFrame(picture.Pixels().data(), picture.InnerWidth(), picture.InnerHeight());
    }
    ScrollCredits();
}

void CreditsWindow::ScrollCredits()
{
    creditsTop_ =
        NextCreditsTop(creditsTop_, float(ui_->picCredits->height()), float(ui_->picFrame->height()), scrollStep_);
    ui_->picCredits->move(0, qRound(creditsTop_));
}

void CreditsWindow::OnFieldPressed(Qt::MouseButton button)
{
    if (!run_)
        return;
    if (button == Qt::LeftButton)
        run_->LowerBlend();
    else if (button == Qt::RightButton)
        run_->RaiseBlend();
}

} // namespace orvex
