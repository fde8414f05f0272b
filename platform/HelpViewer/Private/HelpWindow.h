// The one help window of the process: a browser of HTML help pages, made on first use.
#pragma once

#include <QUrl>

namespace helpviewer {

// Shows the page (a file URL, with its anchor as fragment) and brings the window to the front.
void showHelpPage(const QUrl& page);

} // namespace helpviewer
