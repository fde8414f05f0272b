#include "ToolboxDriver.h"

#include <HIToolboxQt.h>
#include <HIToolboxTesting.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

namespace {

// The control's widget when a user could reach it: present, shown within its window, enabled.
template <class Widget> Widget* usable(WindowRef window, ControlID id) {
    ControlRef control = nullptr;
    if (GetControlByID(window, &id, &control) != noErr) return nullptr;
    auto* widget = qobject_cast<Widget*>(HIControlGetWidget(control));
    if (!widget || !widget->isEnabled() || !widget->isVisibleTo(widget->window())) return nullptr;
    return widget;
}

QModelIndex rowIndex(QTreeView* view, DataBrowserItemID item) {
    QAbstractItemModel* model = view->model();
    for (int row = 0; row < model->rowCount(); ++row)
        if (model->index(row, 0).data(Qt::UserRole).toUInt() == item) return model->index(row, 0);
    return {};
}

int columnOf(QTreeView* view, DataBrowserPropertyID property) {
    QAbstractItemModel* model = view->model();
    for (int column = 0; column < model->columnCount(); ++column)
        if (model->headerData(column, Qt::Horizontal, Qt::UserRole).toUInt() == property)
            return column;
    return -1;
}

bool selectRows(WindowRef window, ControlID id, DataBrowserItemID item,
                QItemSelectionModel::SelectionFlags flags) {
    auto* view = usable<QTreeView>(window, id);
    const QModelIndex index = view ? rowIndex(view, item) : QModelIndex();
    if (!index.isValid() || !(index.flags() & Qt::ItemIsSelectable)) return false;
    view->selectionModel()->select(index, flags | QItemSelectionModel::Rows);
    return true;
}

// The text a widget shows (a field's text, a label's, a button's, a group's title, a popup's
// chosen item); empty for other widgets.
QString shownText(QWidget* widget) {
    if (auto* field = qobject_cast<QLineEdit*>(widget)) return field->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget)) return box->title();
    if (auto* popup = qobject_cast<QComboBox*>(widget)) return popup->currentText();
    return {};
}

int keyFor(QChar character) {
    const QChar upper = character.toUpper();
    if (upper >= u'A' && upper <= u'Z') return Qt::Key_A + (upper.unicode() - u'A');
    return character.unicode();
}

} // namespace

ToolboxDriver::ToolboxDriver() {
    HISetModalLoopObserver(&ToolboxDriver::modalLoopChanged, this);
}

ToolboxDriver::~ToolboxDriver() {
    HISetModalLoopObserver(nullptr, nullptr);
}

void ToolboxDriver::modalLoopChanged(WindowRef window, Boolean running, void* driver) {
    auto* self = static_cast<ToolboxDriver*>(driver);
    running ? self->loopStarted(window) : self->loopEnded(window);
}

void ToolboxDriver::loopStarted(WindowRef window) {
    auto limit = std::make_unique<QTimer>();
    limit->setSingleShot(true);
    QObject::connect(limit.get(), &QTimer::timeout, [this, timer = limit.get()] {
        for (const RunningLoop& loop : runningLoops_)
            if (loop.limit.get() == timer) return giveUp(loop);
    });
    limit->start(timeLimit_);
    runningLoops_.push_back({window, !answers_.empty(), std::move(limit)});
    if (answers_.empty()) return;
    auto action = std::move(answers_.front());
    answers_.pop_front();
    // The loop has not started yet: act from inside it.
    QTimer::singleShot(0, [window, action = std::move(action)] {
        if (HIWindowGetWidget(window)) action(window);
    });
}

void ToolboxDriver::loopEnded(WindowRef window) {
    for (auto loop = runningLoops_.rbegin(); loop != runningLoops_.rend(); ++loop)
        if (loop->window == window) {
            runningLoops_.erase(std::next(loop).base());
            return;
        }
}

void ToolboxDriver::giveUp(const RunningLoop& loop) {
    QWidget* widget = HIWindowGetWidget(loop.window);
    const QString shown = widget ? windowTexts(loop.window).join(QStringLiteral(" | ")) : QString();
    ADD_FAILURE() << "ToolboxDriver: gave up on the modal window showing \"" << shown.toStdString()
                  << "\" after " << loop.limit->interval() << " ms: "
                  << (loop.answered ? "its scripted action did not close it"
                                    : "no scripted action answered it");
    QuitAppModalLoopForWindow(loop.window);
}

void ToolboxDriver::answerNextModal(std::function<void(WindowRef)> action) {
    answers_.push_back(std::move(action));
}

void ToolboxDriver::answerNextAlert(DialogItemIndex item) {
    answerNextModal([item](WindowRef window) { clickAlertButton(window, item); });
}

bool ToolboxDriver::clickAlertButton(WindowRef alertWindow, DialogItemIndex item) {
    QWidget* alert = HIWindowGetWidget(alertWindow);
    if (!alert) return false;
    for (QAbstractButton* button : alert->findChildren<QAbstractButton*>())
        if (button->property("alertItem").toInt() == item) {
            button->click();
            return true;
        }
    return false;
}

bool ToolboxDriver::click(WindowRef window, ControlID id) {
    auto* button = usable<QAbstractButton>(window, id);
    if (!button) return false;
    button->click();
    return true;
}

bool ToolboxDriver::pressKey(WindowRef window, ControlID id, int key,
                             Qt::KeyboardModifiers modifiers, const QString& text) {
    auto* field = usable<QLineEdit>(window, id);
    if (!field) return false;
    field->setFocus(Qt::OtherFocusReason);
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(field, &press);
    QApplication::sendEvent(field, &release);
    return true;
}

bool ToolboxDriver::typeKeys(WindowRef window, ControlID id, const QString& text) {
    if (!usable<QLineEdit>(window, id)) return false;
    for (QChar character : text) {
        const bool shifted = character.isUpper();
        pressKey(window, id, keyFor(character), shifted ? Qt::ShiftModifier : Qt::NoModifier,
                 QString(character));
    }
    return true;
}

bool ToolboxDriver::paste(WindowRef window, ControlID id, const QString& text) {
    auto* field = usable<QLineEdit>(window, id);
    if (!field) return false;
    field->setFocus(Qt::OtherFocusReason);
    field->insert(text);
    return true;
}

bool ToolboxDriver::pickPopupItem(WindowRef window, ControlID id, int item) {
    auto* popup = usable<QComboBox>(window, id);
    if (!popup || item < 1 || item > popup->count()) return false;
    auto* model = qobject_cast<QStandardItemModel*>(popup->model());
    if (model && !model->item(item - 1)->isEnabled()) return false;
    popup->setCurrentIndex(item - 1);
    emit popup->activated(item - 1);
    return true;
}

bool ToolboxDriver::pickTab(WindowRef window, ControlID id, int tab) {
    auto* tabs = usable<QTabWidget>(window, id);
    if (!tabs || tab < 1 || tab > tabs->count() || !tabs->isTabEnabled(tab - 1)) return false;
    tabs->setCurrentIndex(tab - 1);
    return true;
}

bool ToolboxDriver::selectRow(WindowRef window, ControlID id, DataBrowserItemID item, bool extend) {
    return selectRows(window, id, item,
                      extend ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
}

bool ToolboxDriver::deselectRow(WindowRef window, ControlID id, DataBrowserItemID item) {
    return selectRows(window, id, item, QItemSelectionModel::Deselect);
}

bool ToolboxDriver::doubleClickRow(WindowRef window, ControlID id, DataBrowserItemID item) {
    auto* view = usable<QTreeView>(window, id);
    const QModelIndex index = view ? rowIndex(view, item) : QModelIndex();
    if (!index.isValid()) return false;
    emit view->doubleClicked(index);
    return true;
}

bool ToolboxDriver::clickColumnHeader(WindowRef window, ControlID id,
                                      DataBrowserPropertyID column) {
    auto* view = usable<QTreeView>(window, id);
    const int section = view ? columnOf(view, column) : -1;
    if (section < 0) return false;
    emit view->header()->sectionClicked(section);
    return true;
}

QStringList ToolboxDriver::rowTexts(WindowRef window, ControlID id, DataBrowserPropertyID column) {
    ControlRef control = nullptr;
    if (GetControlByID(window, &id, &control) != noErr) return {};
    auto* view = qobject_cast<QTreeView*>(HIControlGetWidget(control));
    const int section = view ? columnOf(view, column) : -1;
    QStringList texts;
    for (int row = 0; section >= 0 && row < view->model()->rowCount(); ++row)
        texts << view->model()->index(row, section).data().toString();
    return texts;
}

QString ToolboxDriver::controlText(WindowRef window, ControlID id) {
    ControlRef control = nullptr;
    if (GetControlByID(window, &id, &control) != noErr) return {};
    return shownText(HIControlGetWidget(control));
}

QStringList ToolboxDriver::windowTexts(WindowRef window) {
    QWidget* top = HIWindowGetWidget(window);
    if (!top) return {};
    QStringList texts{top->windowTitle()};
    for (QWidget* widget : top->findChildren<QWidget*>())
        if (widget->isVisibleTo(top)) texts << shownText(widget);
    texts.removeAll(QString());
    return texts;
}

UInt32 ToolboxDriver::beepCount() {
    return HIGetBeepCount();
}

bool ToolboxDriver::saveWindowImage(WindowRef window, const QString& path) {
    QWidget* top = HIWindowGetWidget(window);
    return top && top->grab().save(path, "PNG");
}
