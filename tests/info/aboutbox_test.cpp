// SPDX-License-Identifier: MIT
#include "aboutbox.h"

#include "performanceprompts.h"
#include "settingsstore.h"
#include "tempconfig.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace orvex {
namespace {

struct SeenPrompt {
    QString title;
    QString prompt;
    QString offered;
    int width = 0;
    int screenWidth = 0;
};

class AboutBoxPrompts : public testing::Test {
protected:
    void SetUp() override
    {
        about.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    }

    // Double-clicks the label and answers the input box it opens; no answer cancels.
    SeenPrompt Answer(const char *label, std::optional<QString> answer)
    {
        SeenPrompt seen;
        QTimer answerer;
        answerer.setSingleShot(true);
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            seen = {box->windowTitle(), box->labelText(), box->textValue(), box->frameGeometry().width(),
                    box->screen()->availableGeometry().width()};
            if (answer) {
                box->setTextValue(*answer);
                box->accept();
            } else {
                box->reject();
            }
        });
        answerer.start(0);
        QTest::mouseDClick(about.findChild<QLabel *>(label), Qt::LeftButton);
        return seen;
    }

    int32_t Stored(const char *key) { return store.ReadSettingLong("DirectX", key, -1); }

    test::TempConfig config;
    SettingsStore store;
    AboutBox about{store};
};

TEST_F(AboutBoxPrompts, AnswersSwitchTheFiguresAndCancelChangesNothing)
{
    const SeenPrompt frameRate = Answer("lblSmall", "1");
    EXPECT_EQ(frameRate.title.toStdString(), FrameRatePrompt().title);
    EXPECT_EQ(frameRate.prompt.toStdString(), FrameRatePrompt().prompt);
    EXPECT_EQ(frameRate.offered.toStdString(), "0") << "the current DX_ShowFPS is offered";
    EXPECT_EQ(Stored("DX_ShowFPS"), 1);
    EXPECT_EQ(Stored("DX_WriteLog"), 100);

    const std::string before = test::ReadBytes(config.SettingsFile());
    EXPECT_EQ(Answer("lblSmall", std::nullopt).offered.toStdString(), "1");
    EXPECT_EQ(Answer("lblCopy", std::nullopt).offered.toStdString(), "100");
    Answer("lblCopy", "   ");
    EXPECT_EQ(test::ReadBytes(config.SettingsFile()), before) << "cancelled or blank answers wrote something";

    const SeenPrompt logging = Answer("lblCopy", "0");
    EXPECT_EQ(logging.title.toStdString(), LoggingPrompt().title);
    EXPECT_EQ(Stored("DX_WriteLog"), 0);
    EXPECT_EQ(Stored("DX_ShowFPS"), 0) << "no log, no frame rate";
}

TEST_F(AboutBoxPrompts, TheLongLoggingPromptWrapsToTheScreen)
{
    const SeenPrompt logging = Answer("lblCopy", std::nullopt);
    EXPECT_EQ(logging.prompt.toStdString(), LoggingPrompt().prompt);
    EXPECT_GT(logging.width, 0);
    EXPECT_LE(logging.width, logging.screenWidth);
}

} // namespace
} // namespace orvex
