// SPDX-License-Identifier: MIT
#include "themerow.h"

#include "dialogtransfer.h"
#include "factorythemes.h"
#include "ui_themerow.h"

#include <QSignalBlocker>

namespace orvex {

ThemeRow::ThemeRow(QWidget *parent) : QWidget(parent), ui_(std::make_unique<Ui::ThemeRow>())
{
    ui_->setupUi(this);
    for (const std::string &name : FillThemeList(false))
        ui_->cboTheme->addItem(QString::fromStdString(name));
}

ThemeRow::~ThemeRow() = default;

void ThemeRow::Bind(DialogValues &values)
{
    values_ = &values;
    connect(ui_->cboTheme, &QComboBox::activated, this, [this](int index) {
        ApplyThemeToDialog(*values_, index);
        emit fieldsFilled();
    });
    connect(ui_->chkCycleThemes, &QCheckBox::toggled, this, [this](bool on) {
        values_->chkCycleThemes = on ? 1 : 0;
        emit cycleThemesSwitched(on);
    });
}

void ThemeRow::Show()
{
    const QSignalBlocker quietList(ui_->cboTheme);
    ui_->cboTheme->setCurrentIndex(values_->cboTheme);
    const QSignalBlocker quietSwitch(ui_->chkCycleThemes);
    ui_->chkCycleThemes->setChecked(values_->chkCycleThemes != 0);
}

void ThemeRow::SetPropertiesEditable(bool editable)
{
    ui_->cboTheme->setEnabled(editable);
}

} // namespace orvex
