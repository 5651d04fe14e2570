// SPDX-License-Identifier: MIT
#include "diagnosticswindow.h"

#include "enginelibrary.h"
#include "helptopics.h"
#include "productinfo.h"
#include "settingsstore.h"
#include "ui_diagnosticswindow.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace orvex {

namespace {

ScreenFacts FactsOf(const QScreen &screen)
{
    const QRect area = screen.geometry();
    return {screen.name().toStdString(), area.x(), area.y(), area.width(), area.height(), screen.devicePixelRatio(),
            &screen == QGuiApplication::primaryScreen()};
}

} // namespace

DiagnosticsFacts GatherDiagnostics(const SettingsStore &store, const EngineLibrary &engine)
{
    DiagnosticsFacts facts;
    facts.version = ProductVersion();
    facts.engineFile = engine.LoadedFile();
    facts.helpFile = FindHelpFile(QCoreApplication::applicationDirPath().toStdString());
    facts.settingsFile = store.File();
    facts.windowSystem = QGuiApplication::platformName().toStdString();
    for (const QScreen *screen : QGuiApplication::screens())
        facts.screens.push_back(FactsOf(*screen));
    return facts;
}

DiagnosticsWindow::DiagnosticsWindow(const SettingsStore &store, const EngineLibrary &engine, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmDiagnostics>())
{
    ui_->setupUi(this);
    ui_->txtDiagnostics->setPlainText(QString::fromStdString(DiagnosticsText(GatherDiagnostics(store, engine))));
    connect(ui_->cmdCopy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(ui_->txtDiagnostics->toPlainText()); });
}

DiagnosticsWindow::~DiagnosticsWindow() = default;

void ShowDiagnostics(QWidget *parent, const SettingsStore &store, const EngineLibrary &engine)
{
    DiagnosticsWindow(store, engine, parent).exec();
}

} // namespace orvex
