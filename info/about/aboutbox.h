// SPDX-License-Identifier: MIT
#pragma once
// The about box: the product's name, version and copyright, and the Credits button.
// Two of its labels hide the performance prompts: a double click on lblCopy asks for
// the performance log's frame threshold, one on lblSmall whether to show the frame rate.

#include <QDialog>

#include <memory>
#include <string>
#include <string_view>

namespace Ui {
class frmAbout;
}

namespace orvex {

class SettingsStore;
struct PerformancePrompt;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(SettingsStore &store, QWidget *parent = nullptr);
    ~AboutBox() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using ApplyAnswer = void (*)(SettingsStore &, std::string_view);

    // Asks with an input box; a blank or cancelled answer changes nothing.
    void Ask(const PerformancePrompt &prompt, const std::string &defaultAnswer, ApplyAnswer apply);
    void ShowCredits();

    std::unique_ptr<Ui::frmAbout> ui_;
    SettingsStore &store_;
};

} // namespace orvex
