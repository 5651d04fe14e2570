// SPDX-License-Identifier: MIT
#include "numberfield.h"

#include "spinbutton.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QValidator>

#include <stdexcept>

namespace orvex {

namespace {

// QLineEdit's own "no limit".
constexpr int kUnlimitedLength = 32767;

int Direction(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_Up)
        return 1;
    return key.key() == Qt::Key_Down ? -1 : 0;
}

} // namespace

class FieldValidator final : public QValidator {
public:
    FieldValidator(const FieldRule &rule, QObject *parent) : QValidator(parent), rule_(rule) {}
    void SetRule(const FieldRule &rule) { rule_ = rule; }

    State validate(QString &input, int &) const override
    {
        return AcceptsTyping(rule_, input.toStdString()) ? Acceptable : Invalid;
    }

private:
    FieldRule rule_;
};

NumberField::NumberField(QLineEdit &edit, std::string &text, const FieldRule &rule, SpinButton *spin, LeaveRule leave)
    : QObject(&edit), edit_(edit), text_(text), validator_(new FieldValidator(rule, this)), spin_(spin),
      leave_(std::move(leave))
{
    edit_.setValidator(validator_);
    SetRule(rule);
    edit_.installEventFilter(this);
    connect(&edit_, &QLineEdit::textChanged, this, &NumberField::OnTextChanged);
    connect(&edit_, &QLineEdit::inputRejected, this, [] { QApplication::beep(); });
    if (spin_ != nullptr)
        connect(spin_, &QSpinBox::valueChanged, this, &NumberField::OnSpinChanged);
}

void NumberField::SetRule(const FieldRule &rule)
{
    rule_ = rule;
    validator_->SetRule(rule);
    {
        // A shorter length cuts the text the field still shows, which belongs to the old
        // rule; the cut text must not reach the bound text. Show() puts the new one in.
        const QSignalBlocker quiet(&edit_);
        edit_.setMaxLength(rule.maxLength > 0 ? rule.maxLength : kUnlimitedLength);
    }
    if (spin_ == nullptr)
        return;
    const QSignalBlocker quiet(spin_);
    spin_->setRange(rule.spinLow, rule.spinHigh);
    spin_->SetPageStep(rule.pageStep);
}

void NumberField::Show()
{
    if (!leave_)
        text_ = ShownFieldText(rule_, text_);
    SetText(text_);
}

void NumberField::SetText(const std::string &text)
{
    const QString shown = QString::fromStdString(text);
    if (edit_.text() == shown)
        OnTextChanged(shown); // the spin button may still show another value
    else
        edit_.setText(shown);
}

void NumberField::OnTextChanged(const QString &text)
{
    text_ = text.toStdString();
    if (spin_ != nullptr) {
        const QSignalBlocker quiet(spin_);
        spin_->setValue(SpinValueOf(rule_, text_));
    }
    emit changed();
}

void NumberField::OnSpinChanged(int value)
{
    SetText(FieldTextOfSpin(rule_, value));
}

void NumberField::Leave()
{
    SetText(leave_ ? leave_() : LeaveFieldText(rule_, text_));
}

bool NumberField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &edit_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, &edit_, &QLineEdit::selectAll);
        break;
    case QEvent::FocusOut:
        Leave();
        break;
    case QEvent::KeyPress:
        if (const int direction = Direction(*static_cast<QKeyEvent *>(event)); direction != 0 && rule_.keyStep > 0) {
            SetText(StepFieldText(rule_, text_, direction));
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

NumberField &BindNumberField(QWidget &frame, DialogSlot slot, std::string &text, const QString &editName,
                             const QString &spinName)
{
    auto *edit = frame.findChild<QLineEdit *>(editName);
    if (edit == nullptr)
        throw std::logic_error("the dialog has no field " + editName.toStdString());
    const FieldRule rule = FieldRuleOf(slot);
    auto *spin = rule.hasSpin ? frame.findChild<SpinButton *>(spinName) : nullptr;
    return *new NumberField(*edit, text, rule, spin);
}

std::vector<NumberField *> BindFieldArray(QWidget &frame, DialogField field, std::span<std::string> texts,
                                          std::initializer_list<int> indexes, const QString &editPrefix,
                                          const QString &spinPrefix)
{
    std::vector<NumberField *> fields;
    for (const int i : indexes) {
        const QString suffix = QStringLiteral("_%1").arg(i);
        fields.push_back(&BindNumberField(frame, {field, static_cast<int8_t>(i)}, texts[size_t(i)], editPrefix + suffix,
                                          spinPrefix.isEmpty() ? QString() : spinPrefix + suffix));
    }
    return fields;
}

} // namespace orvex
