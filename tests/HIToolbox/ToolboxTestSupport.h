// Shared helpers of the toolbox tests: the test bundle's nib, windows that go away after each
// test, and short forms for IDs and strings.
#pragma once

#include <CFRef.h>
#include <HIToolbox.h>
#include <HIToolboxQt.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

inline ControlID controlID(const char (&signature)[5], SInt32 id) {
    return ControlID{FOUR_CHAR_CODE(signature), id};
}

inline CFRef<CFStringRef> cfString(const char* utf8) {
    return CFRef<CFStringRef>(CFStringCreateWithCString(nullptr, utf8, kCFStringEncodingUTF8));
}

inline CFBundleRef testBundle() {
    static CFBundleRef bundle = [] {
        CFRef<CFURLRef> url(CFURLCreateFromFileSystemRepresentation(
            nullptr, reinterpret_cast<const UInt8*>(TOOLBOX_TEST_BUNDLE),
            CFIndex(std::strlen(TOOLBOX_TEST_BUNDLE)), true));
        return CFBundleCreate(nullptr, url.get());
    }();
    return bundle;
}

// Runs the Qt event loop until the condition holds or ten seconds have passed; the budget is
// generous for slow sanitizer builds running beside other tests, and is spent only on failure.
inline bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 10000)
        QCoreApplication::processEvents();
    return condition();
}

// A test that opens windows of the test nib and disposes of them afterwards.
class NibWindowTest : public testing::Test {
  protected:
    WindowRef openWindow(const char* name = "Window") {
        IBNibRef nib = nullptr;
        EXPECT_EQ(noErr, CreateNibReferenceWithCFBundle(testBundle(), CFSTR("TestNib"), &nib));
        WindowRef window = nullptr;
        EXPECT_EQ(noErr, CreateWindowFromNib(nib, cfString(name).get(), &window));
        DisposeNibReference(nib);
        windows_.push_back(window);
        return window;
    }

    static ControlRef control(WindowRef window, const char (&signature)[5], SInt32 id) {
        const ControlID identity = controlID(signature, id);
        ControlRef found = nullptr;
        EXPECT_EQ(noErr, GetControlByID(window, &identity, &found));
        return found;
    }

    void TearDown() override {
        for (WindowRef window : windows_)
            DisposeWindow(window);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

  private:
    std::vector<WindowRef> windows_;
};
