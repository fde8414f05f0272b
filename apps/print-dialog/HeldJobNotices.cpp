#include "HeldJobNotices.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <unistd.h>

QString heldJobNoticeText(const QString& jobTitle, const QString& notice) {
    const QString job = QStringLiteral("The fax job \"%1\"").arg(jobTitle);
    if (notice == "released")
        return job + " was released meanwhile, by another program or the administrator, and "
                     "prints without the fax settings of this dialog.";
    if (notice == "cancelled")
        return job + " was cancelled meanwhile, by another program or the administrator.";
    if (notice == "moved") return job + " was moved to another printer meanwhile.";
    return job + " is no longer on the print server.";
}

HeldJobNotices::HeldJobNotices(const QString& jobTitle,
                               std::function<void(const QString&)> onNotice)
    : notifier_(
          new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, QCoreApplication::instance())) {
    auto pending = std::make_shared<QByteArray>();
    QSocketNotifier* notifier = notifier_;
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [=] {
        char buffer[256];
        const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) { // the agent is gone: the dialog goes on by itself
            notifier->setEnabled(false);
            return;
        }
        pending->append(buffer, int(count));
        for (qsizetype end; notifier->isEnabled() && (end = pending->indexOf('\n')) >= 0;) {
            const QString notice = QString::fromUtf8(pending->left(end)).trimmed();
            pending->remove(0, end + 1);
            onNotice(heldJobNoticeText(jobTitle, notice));
        }
    });
}

void HeldJobNotices::stop() {
    notifier_->setEnabled(false);
}
