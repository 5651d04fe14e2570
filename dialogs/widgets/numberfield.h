// SPDX-License-Identifier: MIT
#pragma once
// One number field of the properties dialog bound to its text in the dialog's values:
// keystrokes are filtered (a refused one beeps), Up and Down step the number, the
// whole text is selected on entry, the text is corrected when the field is left, and
// the spin button beside it follows the text and writes into it.

#include "fieldrule.h"

#include <QObject>
#include <QString>

#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

class QLineEdit;
class QWidget;

namespace orvex {

class FieldValidator;
class SpinButton;

class NumberField final : public QObject {
    Q_OBJECT
public:
    // The text a field takes when it is left. Without one the rule's clamp applies.
    using LeaveRule = std::function<std::string()>;

    NumberField(QLineEdit &edit, std::string &text, const FieldRule &rule, SpinButton *spin = nullptr,
                LeaveRule leave = {});

    // For fields whose rule changes with a choice elsewhere (the cycle pane).
    void SetRule(const FieldRule &rule);

    // Shows the bound text; a text the field could not hold (too long, foreign
    // characters, out of range) is shown, and kept, as leaving the field makes it.
    // Fields with a leave rule of their own show their text as it is.
    void Show();

    QLineEdit &Edit() { return edit_; }

signals:
    // The text changed, by typing, a key step, the spin button or leaving the field.
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnTextChanged(const QString &text);
    void OnSpinChanged(int value);
    void SetText(const std::string &text);
    void Leave();

    QLineEdit &edit_;
    std::string &text_;
    FieldRule rule_;
    FieldValidator *validator_;
    SpinButton *spin_;
    LeaveRule leave_;
};

// Binds the field named editName of frame (and the spin button spinName, when the rule
// has one) to text; slot names the setting it shows. Throws std::logic_error when frame
// has no such field: the layout and the code disagree.
NumberField &BindNumberField(QWidget &frame, DialogSlot slot, std::string &text, const QString &editName,
                             const QString &spinName = {});

// Binds the control array editPrefix_i (with spin buttons spinPrefix_i) for each i of
// indexes to texts[i], the slots (field, i).
std::vector<NumberField *> BindFieldArray(QWidget &frame, DialogField field, std::span<std::string> texts,
                                          std::initializer_list<int> indexes, const QString &editPrefix,
                                          const QString &spinPrefix = {});

} // namespace orvex
