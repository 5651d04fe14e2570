// SPDX-License-Identifier: MIT
#pragma once
// A spin button beside a text field: only the up and down arrows of a spin box, the
// field being a separate control. Page Up and Page Down move it by its page step.

#include <QSpinBox>

namespace orvex {

class SpinButton final : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinButton(QWidget *parent = nullptr);

    void SetPageStep(int step) { pageStep_ = step; }
    int PageStep() const { return pageStep_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    int pageStep_ = 1;
};

} // namespace orvex
