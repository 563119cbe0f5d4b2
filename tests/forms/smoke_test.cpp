#include <gtest/gtest.h>
#include <QWidget>

TEST(Smoke, WidgetCreates) {
    QWidget w;
    EXPECT_FALSE(w.isVisible());
}
