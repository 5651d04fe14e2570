// SPDX-License-Identifier: MIT
#include "helptopics.h"
#include "helpwindow.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace orvex {
namespace {

std::set<QString> AnchorsIn(const QTextDocument &document)
{
    std::set<QString> anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            for (const QString &name : fragment.fragment().charFormat().anchorNames())
                anchors.insert(name);
    return anchors;
}

TEST(HelpWindowTest, EveryTopicOpensAtItsAnchorInOneWindow)
{
    // In document order, so each topic lies further down than the one before.
    const std::vector<std::pair<int, QString>> topics = {
        {kHelpContents, "contents"}, {kHelpProperties, "properties"}, {kHelpAdvanced, "advanced"},
        {kHelpTemplateFiles, "templates"}, {kHelpVideo, "video"}, {kHelpCredits, "credits"},
    };
    QWidget parent;
    int previousPosition = -1;
    for (const auto &[topic, anchor] : topics) {
        ShowHelp(&parent, topic);
        const QList<HelpWindow *> windows = parent.findChildren<HelpWindow *>();
        ASSERT_EQ(windows.size(), 1) << "the help document beside the test program opens in one window";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(windows.front()));
        auto *browser = windows.front()->findChild<QTextBrowser *>("txtHelp");
        QCoreApplication::processEvents();
        EXPECT_EQ(browser->source().fragment(), anchor) << topic;
        EXPECT_EQ(AnchorsIn(*browser->document()).count(anchor), 1u) << anchor.toStdString() << " is not in the document";
        const int position = browser->verticalScrollBar()->value();
        EXPECT_GT(position, previousPosition) << anchor.toStdString() << " did not scroll past the topic before";
        previousPosition = position;
    }
    for (const int other : {kHelpSearch, 12345}) {
        ShowHelp(&parent, other);
        EXPECT_EQ(parent.findChild<QTextBrowser *>("txtHelp")->source().fragment(), "contents") << other;
    }
}

} // namespace
} // namespace orvex
