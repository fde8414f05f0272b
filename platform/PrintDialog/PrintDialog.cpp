#include "PrintDialog.h"

#include "CFText.h"
#include "ExtensionLocator.h"

#include <HeldJob.h>

#include <CarbonEvents.h>
#include <HIToolboxQt.h>
#include <MacErrors.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace {

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// Sends the command to the window's event target; the handlers' answer.
OSStatus sendCommand(WindowRef window, UInt32 commandID) {
    EventRef event = nullptr;
    OSStatus status = CreateEvent(nullptr, kEventClassCommand, kEventCommandProcess,
                                  GetCurrentEventTime(), kEventAttributeNone, &event);
    if (status != noErr) return status;
    HICommand command = {};
    command.commandID = commandID;
    status =
        SetEventParameter(event, kEventParamDirectObject, typeHICommand, sizeof command, &command);
    if (status == noErr) status = SendEventToEventTarget(event, GetWindowEventTarget(window));
    ReleaseEvent(event);
    return status;
}

} // namespace

PrintDialog::PrintDialog(PrintDialogOptions options) : options_(std::move(options)) {
    buildWindow();
    window_ = HIWindowFromWidget(this);
    static const EventTypeSpec closeBox = {kEventClassWindow, kEventWindowClose};
    InstallWindowEventHandler(window_, closeBoxPressed, 1, &closeBox, this, nullptr);
    if (PMCreateSession(&session_) != noErr) {
        say("The printing system cannot be used.");
        return;
    }
    if (!options_.printerID.empty() &&
        PMSessionSetCurrentPrinter(session_, makeCFString(options_.printerID).get()) != noErr) {
        // A held job belongs to its own printer: another printer's settings never go with it.
        if (options_.heldJob) {
            say("The printer " + options_.printerID +
                " of the held job is not available; the job stays held.");
            printButton_->setEnabled(false);
            printable_ = false;
            return;
        }
        say("There is no printer " + options_.printerID + "; the default printer is chosen.");
    }
    fillPrinterPopup();
    loadExtensions();
}

PrintDialog::~PrintDialog() {
    endExtensions(kPMCancel);
    if (session_) PMRelease(session_);
    if (window_) DisposeWindow(window_);
}

void PrintDialog::buildWindow() {
    setWindowTitle(tr("Print"));
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout();
    auto* printerLabel = new QLabel(tr("Printer:"));
    top->addWidget(printerLabel);
    printerPopup_ = new QComboBox();
    printerPopup_->setObjectName("printerPopup");
    printerLabel->setBuddy(printerPopup_);
    top->addWidget(printerPopup_, 1);
    layout->addLayout(top);
    if (options_.heldJob) {
        printerPopup_->setEnabled(false);
        auto* document = new QLabel(tr("Document: %1").arg(qText(options_.heldJob->title)));
        document->setObjectName("documentLabel");
        document->setTextFormat(Qt::PlainText); // a title is whatever an application chose
        layout->addWidget(document);
    }

    panePopup_ = new QComboBox();
    panePopup_->setObjectName("panePopup");
    layout->addWidget(panePopup_);

    pages_ = new QStackedWidget();
    summary_ = new QTreeWidget();
    summary_->setMinimumSize(480, 280); // the pages set the stack's size: the largest one wins
    summary_->setObjectName("summary");
    summary_->setColumnCount(2);
    summary_->setHeaderLabels({tr("Setting"), tr("Value")});
    summary_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pages_->addWidget(summary_);
    layout->addWidget(pages_, 1);

    message_ = new QLabel();
    message_->setObjectName("message");
    message_->setTextFormat(Qt::PlainText);
    message_->setWordWrap(true);
    layout->addWidget(message_);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    cancelButton_ = new QPushButton(tr("Cancel"));
    cancelButton_->setObjectName("cancelButton");
    printButton_ = new QPushButton(tr("Print"));
    printButton_->setObjectName("printButton");
    printButton_->setDefault(true);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(printButton_);
    layout->addLayout(buttons);

    connect(printButton_, &QPushButton::clicked, this, [this] { print(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { cancel(); });
    connect(panePopup_, &QComboBox::activated, this, [this](int index) { showPane(index); });
    connect(printerPopup_, &QComboBox::activated, this, [this](int index) {
        choosePrinter(printerPopup_->itemData(index).toString().toStdString());
    });
}

void PrintDialog::fillPrinterPopup() {
    QSignalBlocker blocker(printerPopup_);
    printerPopup_->clear();
    CFArrayRef ids = nullptr;
    CFIndex current = -1;
    if (PMSessionCreatePrinterList(session_, &ids, &current, nullptr) != noErr) return;
    CFRef<CFArrayRef> owned(ids);
    for (CFIndex i = 0; i < CFArrayGetCount(ids); ++i) {
        const std::string id = utf8Text(CFArrayGetValueAtIndex(ids, i));
        PMPrinter printer = PMPrinterCreateFromPrinterID(makeCFString(id).get());
        const std::string name = printer ? utf8Text(PMPrinterGetName(printer)) : id;
        if (printer) PMRelease(printer);
        printerPopup_->addItem(qText(name), qText(id));
    }
    printerPopup_->setCurrentIndex(int(current));
}

void PrintDialog::loadExtensions() {
    ended_ = false;
    CFArrayRef named = nullptr;
    if (options_.printerExtensions &&
        PMSessionCopyDialogExtensionPaths(session_, &named) == noErr) {
        CFRef<CFArrayRef> owned(named);
        for (CFIndex i = 0; i < CFArrayGetCount(named); ++i) {
            const std::string path = utf8Text(CFArrayGetValueAtIndex(named, i));
            const std::string bundle = locateExtensionBundle(path);
            if (bundle.empty())
                say("The printer's dialog extension " + path.substr(path.find_last_of('/') + 1) +
                    " is not installed.");
            else
                loadExtension(bundle);
        }
    }
    for (const std::string& bundle : options_.extraExtensions)
        loadExtension(bundle);

    QSignalBlocker blocker(panePopup_);
    panePopup_->clear();
    for (const auto& extension : extensions_)
        panePopup_->addItem(qText(extension->title()));
    panePopup_->addItem(tr("Summary"));
    shownPane_ = -1;
    showPane(0);
}

void PrintDialog::loadExtension(const std::string& bundlePath) {
    std::string error;
    for (auto& extension : DialogExtension::load(bundlePath, error)) {
        const std::string name = bundlePath.substr(bundlePath.find_last_of('/') + 1);
        if (OSStatus status = extension->prologue(); status != noErr) {
            say("The pane of " + name + " could not start (error " + std::to_string(status) + ").");
            continue;
        }
        auto* page = new QWidget();
        pages_->insertWidget(int(extensionPages_.size()), page);
        const OSStatus status = extension->initialize(HIControlFromWidget(page), session_);
        if (status != noErr) {
            say("The pane " + extension->title() + " could not be shown (error " +
                std::to_string(status) + ").");
            extension->terminate(status);
            delete page;
            continue;
        }
        extension->sync(session_, kSyncDirectionSetUserInterface);
        // The extension placed its controls in the page, possibly beyond the dialog's size:
        // the page asks for room for all of them, and the window grows to fit.
        QRect used;
        for (const QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            used |= child->geometry();
        page->setMinimumSize(used.right() + 1 + std::max(used.left(), 0),
                             used.bottom() + 1 + std::max(used.top(), 0));
        extensionPages_.push_back(page);
        extensions_.push_back(std::move(extension));
    }
    if (!error.empty()) say(error);
}

void PrintDialog::endExtensions(OSStatus status) {
    if (ended_) return;
    ended_ = true;
    if (shownPane_ >= 0 && size_t(shownPane_) < extensions_.size())
        extensions_[size_t(shownPane_)]->close();
    shownPane_ = -1;
    for (auto& extension : extensions_)
        extension->terminate(status);
    extensions_.clear(); // releases the interfaces
    for (QWidget* page : extensionPages_)
        delete page;
    extensionPages_.clear();
}

void PrintDialog::showPane(int index) {
    if (index < 0 || index > int(extensions_.size()) || index == shownPane_) return;
    if (shownPane_ >= 0 && size_t(shownPane_) < extensions_.size())
        extensions_[size_t(shownPane_)]->close();
    shownPane_ = index;
    panePopup_->setCurrentIndex(index);
    if (size_t(index) < extensions_.size()) {
        pages_->setCurrentWidget(extensionPages_[size_t(index)]);
        extensions_[size_t(index)]->open();
    } else {
        refreshSummary();
        pages_->setCurrentWidget(summary_);
    }
}

void PrintDialog::refreshSummary() {
    summary_->clear();
    for (const auto& extension : extensions_) {
        // The pane's settings as chosen on screen go into the ticket first, so the summary
        // lists those and not the ones it was loaded with.
        extension->sync(session_, kSyncDirectionSetTickets);
        std::vector<std::pair<std::string, std::string>> rows;
        extension->getSummaryText(rows);
        auto* group = new QTreeWidgetItem(summary_, {qText(extension->title())});
        for (const auto& [title, value] : rows)
            new QTreeWidgetItem(group, {qText(title), qText(value)});
        group->setExpanded(true);
    }
}

std::vector<std::string> PrintDialog::summaryRows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < summary_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* group = summary_->topLevelItem(i);
        for (int k = 0; k < group->childCount(); ++k)
            rows.push_back(
                (group->child(k)->text(0) + ": " + group->child(k)->text(1)).toStdString());
    }
    return rows;
}

bool PrintDialog::choosePrinter(const std::string& id) {
    if (finished_) return false;
    endExtensions(noErr);
    const bool chosen = PMSessionSetCurrentPrinter(session_, makeCFString(id).get()) == noErr;
    message_->clear();
    if (!chosen) say("The printer " + id + " is no longer available.");
    fillPrinterPopup();
    loadExtensions();
    return chosen;
}

bool PrintDialog::print() {
    if (!session_ || finished_ || !printable_) return false;
    if (sendCommand(window_, kHICommandOK) != eventNotHandledErr) return false; // held back
    for (const auto& extension : extensions_) {
        if (OSStatus status = extension->sync(session_, kSyncDirectionSetTickets);
            status != noErr) {
            say("The settings of the pane " + extension->title() + " could not be saved (error " +
                std::to_string(status) + "). Nothing was printed.");
            return false;
        }
    }
    if (options_.heldJob) {
        if (beforeHeldJobChange) beforeHeldJobChange();
        const PrintResult result = releaseHeldJob(session_, *options_.heldJob);
        say(result.message);
        if (result.status != noErr) return false;
    } else if (!printDocument()) {
        return false;
    }
    endExtensions(noErr);
    finish(true);
    return true;
}

bool PrintDialog::printDocument() {
    CFRef<CFURLRef> document(CFURLCreateFromFileSystemRepresentation(
        nullptr, reinterpret_cast<const UInt8*>(options_.documentPath.data()),
        CFIndex(options_.documentPath.size()), false));
    CFStringRef outcome = nullptr;
    const OSStatus status = PMSessionPrintWithFile(session_, document.get(),
                                                   makeCFString(options_.jobTitle).get(), &outcome);
    CFRef<CFStringRef> ownedOutcome(outcome);
    say(outcome ? utf8Text(outcome) : "Printing failed (error " + std::to_string(status) + ").");
    return status == noErr;
}

void PrintDialog::cancel() {
    if (finished_) return;
    if (options_.heldJob) {
        if (beforeHeldJobChange) beforeHeldJobChange();
        const PrintResult result = cancelCupsJob(*options_.heldJob);
        say(result.message);
        if (result.status != noErr) return;
    }
    endExtensions(kPMCancel);
    finish(false);
}

void PrintDialog::finish(bool printed) {
    finished_ = true;
    for (QWidget* control :
         std::initializer_list<QWidget*>{printerPopup_, panePopup_, printButton_, cancelButton_})
        control->setEnabled(false);
    if (onFinished) onFinished(printed);
}

// The close box cancels a dialog still in use and closes a finished one.
OSStatus PrintDialog::closeBoxPressed(EventHandlerCallRef, EventRef, void* dialog) {
    auto* self = static_cast<PrintDialog*>(dialog);
    if (self->finished_)
        self->hide();
    else
        self->cancel();
    return noErr;
}

void PrintDialog::say(const std::string& text) {
    const QString current = message_->text();
    message_->setText(current.isEmpty() ? qText(text) : current + "\n" + qText(text));
}

std::string PrintDialog::message() const {
    return message_->text().toStdString();
}
