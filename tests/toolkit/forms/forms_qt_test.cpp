#include "toolkit/forms/tapplication.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

TEST(ApplicationObjectTest, CommandLineReachesNeitherQtNorTheWindows)
{
    if (QApplication::instance())
        GTEST_SKIP() << "needs a process without a Qt application (CTest runs each case alone)";
    char name[] = "vorrel", reverse[] = "-reverse", titleOption[] = "-qwindowtitle", title[] = "Other";
    char *arguments[] = {name, reverse, titleOption, title, nullptr};
    int count = 4;
    const TApplication application(count, arguments);
    EXPECT_EQ(QApplication::arguments(), QStringList{"vorrel"});
    EXPECT_EQ(QApplication::layoutDirection(), Qt::LeftToRight);
}

} // namespace
