// SPDX-License-Identifier: MIT
#include "displayframe.h"

#include "colourfilter.h"
#include "numberfield.h"
#include "ui_displayframe.h"

#include <QSignalBlocker>

namespace orvex {

DisplayFrame::DisplayFrame(QWidget *parent) : QGroupBox(parent), ui_(std::make_unique<Ui::DisplayFrame>())
{
    ui_->setupUi(this);
    for (int32_t i = 0; i < kFilterCount; ++i) {
        const std::string_view name = FilterAt(i).name;
        ui_->cboFilterEffect->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    }
}

DisplayFrame::~DisplayFrame() = default;

void DisplayFrame::Bind(DialogValues &values, const SettingsStore &store)
{
    values_ = &values;
    store_ = &store;
    for (const Resolution &size : values.cboResolutionItems)
        ui_->cboResolution->addItem(QStringLiteral("%1 * %2").arg(size.width).arg(size.height));
    maskFields_ = BindFieldArray(*this, DialogField::FilterRGB, values.txtFilterRGB, {0, 1, 2}, "txtFilterRGB");
    blendFields_ = BindFieldArray(*this, DialogField::DesktopBlend, values.txtDesktopBlend, {0, 1}, "txtDesktopBlend");
    connect(ui_->cboResolution, &QComboBox::currentIndexChanged, this,
            [this](int index) { values_->cboResolution = index; });
    connect(ui_->cboFilterEffect, &QComboBox::currentIndexChanged, this,
            [this](int index) { values_->cboFilterEffect = index; });
    // Only the user's pick shows the entry's own mask; loading keeps the stored one.
    connect(ui_->cboFilterEffect, &QComboBox::activated, this, &DisplayFrame::PickFilter);
}

void DisplayFrame::PickFilter(int index)
{
    SelectFilter(index, FilterSource::PickedInDialog, *values_, *store_);
    for (NumberField *field : maskFields_)
        field->Show();
}

void DisplayFrame::Show()
{
    for (NumberField *field : maskFields_)
        field->Show();
    for (NumberField *field : blendFields_)
        field->Show();
    const QSignalBlocker quietResolution(ui_->cboResolution);
    ui_->cboResolution->setCurrentIndex(values_->cboResolution);
    const QSignalBlocker quietFilter(ui_->cboFilterEffect);
    ui_->cboFilterEffect->setCurrentIndex(values_->cboFilterEffect);
}

} // namespace orvex
