// SPDX-License-Identifier: MIT
#pragma once
// The frame "Lumora Properties": the star fields 0-5 with their spin buttons, the
// emitter pattern, the blending multiplier and the vertical blending offset.

#include "dialogvalues.h"

#include <QGroupBox>

#include <memory>
#include <vector>

namespace Ui {
class StarFieldsFrame;
}

namespace orvex {

class NumberField;

class StarFieldsFrame final : public QGroupBox {
    Q_OBJECT
public:
    explicit StarFieldsFrame(QWidget *parent = nullptr);
    ~StarFieldsFrame() override;

    // Once, before anything is shown: the values the frame edits.
    void Bind(DialogValues &values);
    void Show();
    // The properties, not the display setting beside them.
    void SetPropertiesEditable(bool editable);

private:
    std::unique_ptr<Ui::StarFieldsFrame> ui_;
    DialogValues *values_ = nullptr;
    std::vector<NumberField *> fields_;
};

} // namespace orvex
