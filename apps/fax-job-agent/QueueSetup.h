// fax-job-agent --setup-queue NAME DEVICE-URI: creates a fax queue whose jobs CUPS holds until
// the agent has shown them, with lpadmin and the Norvale fax PPD.
#pragma once

#include <QString>

// Runs lpadmin (never through a shell), saying what it runs; then prints what to add to
// cupsd.conf so that the fax settings of jobs stay private. The exit status for main.
int setUpFaxQueue(const QString& name, const QString& deviceURI);

// The cupsd.conf lines that hide the fax settings of jobs from other users.
QString privateValuesAdvice();
