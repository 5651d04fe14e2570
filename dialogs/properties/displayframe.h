// SPDX-License-Identifier: MIT
#pragma once
// The frame "Saver Resolution": the rendering size, the colour filter with its mask, and
// the desktop blend.

#include "dialogvalues.h"

#include <QGroupBox>

#include <memory>
#include <vector>

namespace Ui {
class DisplayFrame;
}

namespace orvex {

class NumberField;
class SettingsStore;

class DisplayFrame final : public QGroupBox {
    Q_OBJECT
public:
    explicit DisplayFrame(QWidget *parent = nullptr);
    ~DisplayFrame() override;

    // Once, before anything is shown: the values the frame edits (their resolution list
    // filled), and the store the filter choice consults.
    void Bind(DialogValues &values, const SettingsStore &store);
    void Show();

private:
    void PickFilter(int index);

    std::unique_ptr<Ui::DisplayFrame> ui_;
    DialogValues *values_ = nullptr;
    const SettingsStore *store_ = nullptr;
    std::vector<NumberField *> maskFields_;
    std::vector<NumberField *> blendFields_;
};

} // namespace orvex
