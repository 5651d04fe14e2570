// SPDX-License-Identifier: MIT
#include "spinbutton.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace orvex {

SpinButton::SpinButton(QWidget *parent) : QSpinBox(parent)
{
    // The value is shown (and typed) in the field beside the button.
    lineEdit()->hide();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SpinButton::sizeHint() const
{
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QRect up = style()->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxUp, this);
    const int frame = style()->pixelMetric(QStyle::PM_SpinBoxFrameWidth, &option, this);
    return {up.width() + 2 * frame + 2, QSpinBox::sizeHint().height()};
}

void SpinButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        stepBy(event->key() == Qt::Key_PageUp ? pageStep_ : -pageStep_);
        event->accept();
        return;
    }
    QSpinBox::keyPressEvent(event);
}

} // namespace orvex
