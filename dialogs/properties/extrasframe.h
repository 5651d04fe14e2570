// SPDX-License-Identifier: MIT
#pragma once
// The frame "Extras": its list switches between the comet spline fields (star fields
// 7-14) and the cycle pane, where a cycled property's range is chosen and edited.

#include "dialogvalues.h"

#include <QGroupBox>

#include <array>
#include <memory>
#include <vector>

namespace Ui {
class ExtrasFrame;
}

namespace orvex {

class NumberField;

class ExtrasFrame final : public QGroupBox {
    Q_OBJECT
public:
    explicit ExtrasFrame(QWidget *parent = nullptr);
    ~ExtrasFrame() override;

    // Once, before anything is shown: the values the frame edits.
    void Bind(DialogValues &values);
    void Show();
    void SetPropertiesEditable(bool editable);

private:
    void BindCyclePane();
    void ShowCyclePane();
    void SetCyclingEditable(bool on);

    std::unique_ptr<Ui::ExtrasFrame> ui_;
    DialogValues *values_ = nullptr;
    std::vector<NumberField *> cometFields_;
    std::array<NumberField *, 3> cycleFields_{};
};

} // namespace orvex
