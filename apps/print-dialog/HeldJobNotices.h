// The fax job agent tells a dialog it started for a held job when that job changes behind the
// dialog's back: one line on the dialog's standard input, "released", "cancelled", "moved" or
// "removed".
#pragma once

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>

#include <functional>

// Calls onNotice on the event loop with the sentence that explains each line read from
// standard input (an unknown line gives a general one). The end of the input ends the watch,
// and so does stop(), called before the dialog changes the job itself.
class HeldJobNotices {
  public:
    HeldJobNotices(QString jobTitle, std::function<void(const QString&)> onNotice);
    void stop() { notifier_.setEnabled(false); }

  private:
    void readNotices();

    QString jobTitle_;
    std::function<void(const QString&)> onNotice_;
    QSocketNotifier notifier_;
    QByteArray pending_; // the start of a line still to come
};

// The sentence for a notice line.
QString heldJobNoticeText(const QString& jobTitle, const QString& notice);
