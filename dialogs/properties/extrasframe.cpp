// SPDX-License-Identifier: MIT
#include "extrasframe.h"

#include "cyclepane.h"
#include "numberfield.h"
#include "ui_extrasframe.h"

#include <QSignalBlocker>

namespace orvex {

ExtrasFrame::ExtrasFrame(QWidget *parent) : QGroupBox(parent), ui_(std::make_unique<Ui::ExtrasFrame>())
{
    ui_->setupUi(this);
    ui_->cboExtras->addItems({"Comet Spline Settings", "Cycle Property Settings"});
    connect(ui_->cboExtras, &QComboBox::currentIndexChanged, ui_->stkExtras, &QStackedWidget::setCurrentIndex);
    for (const std::string_view name : kCyclePropertyNames)
        ui_->cboCycleProp->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

ExtrasFrame::~ExtrasFrame() = default;

void ExtrasFrame::Bind(DialogValues &values)
{
    values_ = &values;
    cometFields_ = BindFieldArray(*this, DialogField::Stars, values.txtStars, {7, 8, 9, 10, 11, 12, 13, 14},
                                  "txtStars", "spnStars");
    BindCyclePane();
}

void ExtrasFrame::BindCyclePane()
{
    const std::array<QLineEdit *, 3> edits{ui_->txtCycleProps_0, ui_->txtCycleProps_1, ui_->txtCycleProps_2};
    for (int i = 0; i < 3; ++i) {
        // Leaving a field stores its clamped value in the dialog's cycle ranges.
        const auto leave = [this, i] {
            LeaveCycleField(*values_, i);
            return values_->txtCycleProps[size_t(i)];
        };
        cycleFields_[size_t(i)] = new NumberField(*edits[size_t(i)], values_->txtCycleProps[size_t(i)],
                                                  CycleFieldRule(*values_, i), nullptr, leave);
    }
    connect(ui_->cboCycleProp, &QComboBox::currentIndexChanged, this, [this](int index) {
        SelectCycleProperty(*values_, index);
        ShowCyclePane();
    });
    connect(ui_->chkCycleProps, &QCheckBox::toggled, this, [this](bool on) {
        values_->chkCycleProps = on ? 1 : 0;
        SetCyclingEditable(on);
    });
}

void ExtrasFrame::Show()
{
    for (NumberField *field : cometFields_)
        field->Show();
    const QSignalBlocker quiet(ui_->chkCycleProps);
    ui_->chkCycleProps->setChecked(values_->chkCycleProps == 1);
    SetCyclingEditable(values_->chkCycleProps == 1);
    ShowCyclePane();
}

void ExtrasFrame::ShowCyclePane()
{
    const QSignalBlocker quiet(ui_->cboCycleProp);
    ui_->cboCycleProp->setCurrentIndex(values_->cboCycleProp);
    const std::array<QLabel *, 3> labels{ui_->lblCycleProps_0, ui_->lblCycleProps_1, ui_->lblCycleProps_2};
    for (size_t i = 0; i < labels.size(); ++i) {
        labels[i]->setText(QString::fromStdString(values_->lblCycleProps[i]));
        cycleFields_[i]->SetRule(CycleFieldRule(*values_, int(i)));
        cycleFields_[i]->Show();
    }
}

void ExtrasFrame::SetCyclingEditable(bool on)
{
    for (QWidget *control : ui_->fraCycleProps->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (control != ui_->chkCycleProps)
            control->setEnabled(on);
}

void ExtrasFrame::SetPropertiesEditable(bool editable)
{
    ui_->stkExtras->setEnabled(editable);
}

} // namespace orvex
