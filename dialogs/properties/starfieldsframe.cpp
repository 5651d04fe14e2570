// SPDX-License-Identifier: MIT
#include "starfieldsframe.h"

#include "numberfield.h"
#include "ui_starfieldsframe.h"

#include <QSignalBlocker>

namespace orvex {

namespace {

// The vertical offset is a display setting: it stays editable while themes cycle.
bool IsDisplaySetting(const QWidget &control)
{
    return control.objectName() == "cboVertOffset" || control.objectName() == "lblVertOffset" ||
           control.objectName() == "lblCycleNote";
}

} // namespace

StarFieldsFrame::StarFieldsFrame(QWidget *parent) : QGroupBox(parent), ui_(std::make_unique<Ui::StarFieldsFrame>())
{
    ui_->setupUi(this);
    for (const std::string_view name : kEmitPatternNames)
        ui_->cboEmitPattern->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    for (int offset = -kVertOffsetZeroIndex; offset < kVertOffsetItemCount - kVertOffsetZeroIndex; ++offset)
        ui_->cboVertOffset->addItem(QString::number(offset));
}

StarFieldsFrame::~StarFieldsFrame() = default;

void StarFieldsFrame::Bind(DialogValues &values)
{
    values_ = &values;
    fields_ = BindFieldArray(*this, DialogField::Stars, values.txtStars, {0, 1, 2, 3, 4, 5}, "txtStars", "spnStars");
    fields_.push_back(&BindNumberField(*this, {DialogField::BlendMult, 0}, values.txtBlendMult, "txtBlendMult"));
    connect(ui_->cboEmitPattern, &QComboBox::currentIndexChanged, this,
            [this](int index) { values_->cboEmitPattern = index; });
    connect(ui_->cboVertOffset, &QComboBox::currentIndexChanged, this,
            [this](int index) { values_->cboVertOffset = index; });
}

void StarFieldsFrame::Show()
{
    for (NumberField *field : fields_)
        field->Show();
    const QSignalBlocker quietPattern(ui_->cboEmitPattern);
    ui_->cboEmitPattern->setCurrentIndex(values_->cboEmitPattern);
    const QSignalBlocker quietOffset(ui_->cboVertOffset);
    ui_->cboVertOffset->setCurrentIndex(values_->cboVertOffset);
}

void StarFieldsFrame::SetPropertiesEditable(bool editable)
{
    for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!IsDisplaySetting(*control))
            control->setEnabled(editable);
}

} // namespace orvex
