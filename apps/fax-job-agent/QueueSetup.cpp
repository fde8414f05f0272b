#include "QueueSetup.h"

#include "ProductFiles.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>

namespace {

constexpr char kTicketPrefix[] = "com.norvale.m.corvexa.printsettings.";
constexpr int kMostRecipients = 30;
constexpr int kRecipientsPerLine = 15; // keeps each line well inside cupsd's line length

QString lpadmin() {
    QString found = QStandardPaths::findExecutable("lpadmin");
    return found.isEmpty() ? QStandardPaths::findExecutable("lpadmin", {"/usr/sbin", "/sbin"})
                           : found;
}

void print(const QString& text) {
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

QString privateValuesAdvice() {
    const QString prefix = kTicketPrefix;
    QStringList lines = {"JobPrivateValues default " + prefix + "SFaxPassword " + prefix +
                         "SFaxCoverSenderName " + prefix + "SFaxDestinationNumber"};
    for (const char* key : {"SFaxDestinationName", "SFaxDestinationPhoneNumber"})
        for (int first = 1; first <= kMostRecipients; first += kRecipientsPerLine) {
            QStringList names;
            for (int n = first; n < first + kRecipientsPerLine; ++n)
                names << prefix + key + QString::number(n);
            lines << "JobPrivateValues " + names.join(' ');
        }
    return lines.join('\n');
}

int setUpFaxQueue(const QString& name, const QString& deviceURI) {
    const QString program = lpadmin();
    if (program.isEmpty()) {
        print("lpadmin is missing: install the Debian package cups-client.");
        return 1;
    }
    const QStringList arguments = {"-p",
                                   name,
                                   "-E",
                                   "-v",
                                   deviceURI,
                                   "-P",
                                   installedFile(NV_INSTALLED_FAX_PPD_FROM_PROGRAM, NV_FAX_PPD),
                                   "-o",
                                   "job-hold-until-default=indefinite"};
    print("Running: " + program + " " + arguments.join(' '));
    QProcess lpadminRun;
    lpadminRun.setProcessChannelMode(QProcess::ForwardedChannels);
    lpadminRun.start(program, arguments);
    if (!lpadminRun.waitForFinished(-1) || lpadminRun.exitStatus() != QProcess::NormalExit ||
        lpadminRun.exitCode() != 0) {
        print("lpadmin did not create the queue " + name + ".");
        return 1;
    }
    print("The queue " + name +
          " holds every job until the fax job agent shows it.\n"
          "To keep the fax settings of jobs (recipients, sender, password) from other users, add "
          "these lines inside each <Policy> section of /etc/cups/cupsd.conf and restart CUPS:\n" +
          privateValuesAdvice());
    return 0;
}
