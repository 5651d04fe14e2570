// SPDX-License-Identifier: MIT
#pragma once
// The theme row: a factory theme chosen in the list pre-fills the star, colour and
// cycle fields (the choice itself is not kept); the switch lets themes cycle, when the
// properties of the dialog are not used.

#include "dialogvalues.h"

#include <QWidget>

#include <memory>

namespace Ui {
class ThemeRow;
}

namespace orvex {

class ThemeRow final : public QWidget {
    Q_OBJECT
public:
    explicit ThemeRow(QWidget *parent = nullptr);
    ~ThemeRow() override;

    // Once, before anything is shown: the values the row fills and switches.
    void Bind(DialogValues &values);
    void Show();
    void SetPropertiesEditable(bool editable);

signals:
    // A theme was chosen: the fields of the other frames are to be shown again.
    void fieldsFilled();
    void cycleThemesSwitched(bool on);

private:
    std::unique_ptr<Ui::ThemeRow> ui_;
    DialogValues *values_ = nullptr;
};

} // namespace orvex
