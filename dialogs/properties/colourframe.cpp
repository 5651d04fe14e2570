// SPDX-License-Identifier: MIT
#include "colourframe.h"

#include "huewheel.h"
#include "numberfield.h"
#include "numbertext.h"
#include "propertysources.h"
#include "ui_colourframe.h"

#include <QButtonGroup>
#include <QSignalBlocker>

namespace orvex {

namespace {

// txtColorProps indexes of the start angle and the two wedges.
constexpr size_t kStartAngleField = 14;
constexpr size_t kWedgeMinField = 10;
constexpr size_t kWedgeMaxField = 11;

} // namespace

ColourFrame::ColourFrame(QWidget *parent) : QGroupBox(parent), ui_(std::make_unique<Ui::ColourFrame>())
{
    ui_->setupUi(this);
    auto *panes = new QButtonGroup(this);
    panes->addButton(ui_->cmdHueProps_0, 0);
    panes->addButton(ui_->cmdHueProps_1, 1);
    connect(panes, &QButtonGroup::idClicked, ui_->stkHueProps, &QStackedWidget::setCurrentIndex);
    ui_->cmdHueProps_0->setChecked(true);
}

ColourFrame::~ColourFrame() = default;

void ColourFrame::Bind(DialogValues &values, const SettingsStore &store, EngineLibrary &engine)
{
    values_ = &values;
    store_ = &store;
    engine_ = &engine;
    fields_ = BindFieldArray(*this, DialogField::ColorProps, values.txtColorProps, {0, 1, 2, 3, 10, 11, 12, 13, 14},
                             "txtColorProps", "spnHue");
    for (NumberField *field : fields_)
        connect(field, &NumberField::changed, this, &ColourFrame::RedrawWheel);
}

void ColourFrame::Show()
{
    for (NumberField *field : fields_) {
        const QSignalBlocker once(field); // one redraw for all of them
        field->Show();
    }
    RedrawWheel();
}

void ColourFrame::SetPropertiesEditable(bool editable)
{
    ui_->stkHueProps->setEnabled(editable);
}

void ColourFrame::RedrawWheel()
{
    StarPropertySet set;
    ui_->picHueWheel->DrawCone(*engine_, LoadHueWheelSettings(*store_), LoadColorSettings(set, *values_));
    const auto &fields = values_->txtColorProps;
    ui_->picHueWheel->ShowWedges(ParseNumberOrZero(fields[kStartAngleField]), ParseNumberOrZero(fields[kWedgeMinField]),
                                 ParseNumberOrZero(fields[kWedgeMaxField]));
}

void ColourFrame::ShowColourStep(const ColourStepView &view)
{
    if (view.redraw.conePicture)
        ui_->picHueWheel->DrawCone(*engine_, view.wheel, view.colour);
    if (view.redraw.wedgeLines)
        ui_->picHueWheel->ShowRunningWedge(view.huePosition, view.hueSwing);
}

} // namespace orvex
