// The test driver: acts on toolbox windows as a user would, through the widgets' own input
// paths (clicks, key events through the key filter, picks, selection), answers modal loops
// with scripted actions and reads what windows show. Controls are named by ControlID; the
// calls answer false when the control is missing, hidden, disabled or of another kind.
//
// No modal loop runs for ever while a driver lives: one still running after the time limit
// (its scripted action did not close its window, or it had none) fails the running test with
// a message naming the window, and is ended so that the test goes on.
#pragma once

#include <Dialogs.h>
#include <HIDataBrowser.h>

#include <QString>
#include <QStringList>

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QTimer;

class ToolboxDriver {
  public:
    // How long a modal loop may run before the driver gives up on it.
    static constexpr std::chrono::milliseconds kModalTimeLimit{30000};

    // One driver at a time: it answers the modal loops that start while it lives.
    ToolboxDriver();
    ~ToolboxDriver();
    ToolboxDriver(const ToolboxDriver&) = delete;
    ToolboxDriver& operator=(const ToolboxDriver&) = delete;

    static bool click(WindowRef window, ControlID id);
    // Types each character as a key press into the focused field.
    static bool typeKeys(WindowRef window, ControlID id, const QString& text);
    // One key press (Qt key code); Ctrl stands for the command key.
    static bool pressKey(WindowRef window, ControlID id, int key,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                         const QString& text = QString());
    // Pastes the text at the caret, as the field's paste command does.
    static bool paste(WindowRef window, ControlID id, const QString& text);
    static bool pickPopupItem(WindowRef window, ControlID id, int item); // 1-based; enabled only
    static bool pickTab(WindowRef window, ControlID id, int tab);        // 1-based

    // Data browser rows by item id; extend adds to the selection instead of replacing it.
    static bool selectRow(WindowRef window, ControlID id, DataBrowserItemID item,
                          bool extend = false);
    static bool deselectRow(WindowRef window, ControlID id, DataBrowserItemID item);
    static bool doubleClickRow(WindowRef window, ControlID id, DataBrowserItemID item);
    static bool clickColumnHeader(WindowRef window, ControlID id, DataBrowserPropertyID column);
    // The column's cells in the order shown.
    static QStringList rowTexts(WindowRef window, ControlID id, DataBrowserPropertyID column);

    // The action runs inside the next modal loop (window or alert) that starts.
    void answerNextModal(std::function<void(WindowRef)> action);
    // Presses the alert's button of the item (1 OK, 2 cancel, 3 other) in the next modal loop.
    void answerNextAlert(DialogItemIndex item);
    size_t pendingAnswers() const { return answers_.size(); }
    // Replaces kModalTimeLimit for the loops that start from now on.
    void setModalTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = limit; }
    static bool clickAlertButton(WindowRef alertWindow, DialogItemIndex item);

    static QString controlText(WindowRef window, ControlID id);
    // Every text the window shows: title, labels, buttons, fields, group titles, popups.
    static QStringList windowTexts(WindowRef window);
    static UInt32 beepCount();
    static bool saveWindowImage(WindowRef window, const QString& path);

  private:
    // A running modal loop and the timer that bounds it.
    struct RunningLoop {
        WindowRef window;
        bool answered;
        std::unique_ptr<QTimer> limit;
    };

    static void modalLoopChanged(WindowRef window, Boolean running, void* driver);
    void loopStarted(WindowRef window);
    void loopEnded(WindowRef window);
    void giveUp(const RunningLoop& loop);

    std::deque<std::function<void(WindowRef)>> answers_;
    std::vector<RunningLoop> runningLoops_; // innermost last
    std::chrono::milliseconds timeLimit_ = kModalTimeLimit;
};
