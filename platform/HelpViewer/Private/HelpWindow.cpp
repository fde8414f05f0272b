#include "HelpWindow.h"

#include <QPointer>
#include <QTextBrowser>

namespace helpviewer {

void showHelpPage(const QUrl& page) {
    // The window lives until the user's application ends or something deletes it.
    static QPointer<QTextBrowser> window;
    if (!window) {
        window = new QTextBrowser;
        window->setObjectName(QStringLiteral("HelpViewer"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setOpenExternalLinks(true);
        window->resize(640, 560);
    }
    window->setSource(page);
    window->setWindowTitle(window->documentTitle().isEmpty() ? QStringLiteral("Help")
                                                             : window->documentTitle());
    window->show();
    window->raise();
}

} // namespace helpviewer
