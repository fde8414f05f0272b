#include "HeldJobNotices.h"

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

HeldJobNotices::HeldJobNotices(QString jobTitle, std::function<void(const QString&)> onNotice)
    : jobTitle_(std::move(jobTitle)), onNotice_(std::move(onNotice)),
      notifier_(STDIN_FILENO, QSocketNotifier::Read) {
    QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { readNotices(); });
}

void HeldJobNotices::readNotices() {
    char buffer[256];
    const ssize_t count = read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) { // the agent is gone: the dialog goes on by itself
        stop();
        return;
    }
    pending_.append(buffer, int(count));
    for (qsizetype end; notifier_.isEnabled() && (end = pending_.indexOf('\n')) >= 0;) {
        const QString notice = QString::fromUtf8(pending_.left(end)).trimmed();
        pending_.remove(0, end + 1);
        onNotice_(heldJobNoticeText(jobTitle_, notice));
    }
}
