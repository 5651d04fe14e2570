// SPDX-License-Identifier: MIT
#pragma once
// The colour frame: two panes of colour fields ("Hue Dynamics", "Hue Cone") and the
// hue-cone picture with the wedge lines of the fields as typed, or, while the preview
// runs, of its frames.

#include "colorframestep.h"
#include "dialogvalues.h"

#include <QGroupBox>

#include <memory>
#include <vector>

namespace Ui {
class ColourFrame;
}

namespace orvex {

class EngineLibrary;
class NumberField;
class SettingsStore;

class ColourFrame final : public QGroupBox {
    Q_OBJECT
public:
    explicit ColourFrame(QWidget *parent = nullptr);
    ~ColourFrame() override;

    // Once, before anything is shown: the values the frame edits, and where the hue wheel
    // settings and the cone picture come from.
    void Bind(DialogValues &values, const SettingsStore &store, EngineLibrary &engine);
    void Show();
    void SetPropertiesEditable(bool editable);
    // The cone for the stored hue wheel and the fields' colour settings, and the wedges.
    void RedrawWheel();
    // A preview frame's colour step: its bubble in the cone, its hue and swing as wedges.
    void ShowColourStep(const ColourStepView &view);

private:
    std::unique_ptr<Ui::ColourFrame> ui_;
    DialogValues *values_ = nullptr;
    const SettingsStore *store_ = nullptr;
    EngineLibrary *engine_ = nullptr;
    std::vector<NumberField *> fields_;
};

} // namespace orvex
