// The theme cursors: the watch overrides the application's cursor until the arrow comes back.
#include <Appearance.h>
#include <MacErrors.h>

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

TEST(AppearanceTest, TheWatchShowsUntilTheArrowComesBack) {
    EXPECT_EQ(noErr, SetThemeCursor(kThemeWatchCursor));
    EXPECT_EQ(noErr, SetThemeCursor(kThemeWatchCursor)); // once more: still one override
    ASSERT_NE(nullptr, QGuiApplication::overrideCursor());
    EXPECT_EQ(Qt::WaitCursor, QGuiApplication::overrideCursor()->shape());
    EXPECT_EQ(themeBadCursorIndexErr, SetThemeCursor(99));
    EXPECT_EQ(noErr, SetThemeCursor(kThemeArrowCursor));
    EXPECT_EQ(nullptr, QGuiApplication::overrideCursor());
}

} // namespace
