// SPDX-License-Identifier: MIT
#include "welcomewindow.h"

#include "helptopics.h"
#include "helpwindow.h"
#include "ui_welcomewindow.h"

namespace orvex {

WelcomeWindow::WelcomeWindow(QWidget *parent) : QDialog(parent), ui_(std::make_unique<Ui::frmWelcome>())
{
    ui_->setupUi(this);
    connect(ui_->cmdHelp, &QPushButton::clicked, this, [this] { ShowHelp(this, kHelpContents); });
}

WelcomeWindow::~WelcomeWindow() = default;

void ShowWelcomeOnFirstOpening(bool firstOpening, QWidget *parent)
{
    if (firstOpening)
        WelcomeWindow(parent).exec();
}

} // namespace orvex
