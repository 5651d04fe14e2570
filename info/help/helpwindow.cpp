// SPDX-License-Identifier: MIT
#include "helpwindow.h"

#include "helptopics.h"
#include "productinfo.h"
#include "ui_helpwindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QUrl>

namespace orvex {

namespace {

HelpWindow *OpenHelpWindow(QWidget *parent)
{
    const QList<QWidget *> near =
        parent != nullptr ? parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly) : QApplication::topLevelWidgets();
    for (QWidget *widget : near)
        if (auto *help = qobject_cast<HelpWindow *>(widget))
            return help;
    return nullptr;
}

void SayHelpIsMissing(QWidget *parent)
{
    QMessageBox::warning(parent, kProductName,
                         QString("The help document %1 could not be found. It belongs in the program's folder "
                                 "or in share/orvex-lumora of the folder the program was installed to. "
                                 "Installing the program again puts it back.")
                             .arg(QString::fromUtf8(kHelpFileName.data(), qsizetype(kHelpFileName.size()))));
}

} // namespace

HelpWindow::HelpWindow(const std::filesystem::path &helpFile, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmHelp>()), helpFile_(helpFile)
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui_->cmdContents, &QPushButton::clicked, this, [this] { ShowTopic(kHelpContents); });
    connect(ui_->txtFind, &QLineEdit::returnPressed, this, &HelpWindow::FindNext);
    connect(ui_->cmdFindNext, &QPushButton::clicked, this, &HelpWindow::FindNext);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::ShowTopic(int topic)
{
    QUrl url = QUrl::fromLocalFile(QString::fromStdString(helpFile_.string()));
    const std::string_view anchor = HelpAnchor(topic);
    url.setFragment(QString::fromUtf8(anchor.data(), qsizetype(anchor.size())));
    ui_->txtHelp->setSource(url);
    if (topic == kHelpSearch)
        ui_->txtFind->setFocus();
}

void HelpWindow::FindNext()
{
    const QString text = ui_->txtFind->text();
    if (text.isEmpty() || ui_->txtHelp->find(text))
        return;
    ui_->txtHelp->moveCursor(QTextCursor::Start);
    if (!ui_->txtHelp->find(text))
        QApplication::beep();
}

void ShowHelp(QWidget *parent, int topic)
{
    HelpWindow *window = OpenHelpWindow(parent);
    if (window == nullptr) {
        const std::filesystem::path file = FindHelpFile(QCoreApplication::applicationDirPath().toStdString());
        if (file.empty()) {
            SayHelpIsMissing(parent);
            return;
        }
        window = new HelpWindow(file, parent);
    }
    window->ShowTopic(topic);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace orvex
