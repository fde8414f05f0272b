#include "CommandLine.h"

#include <QCoreApplication>

EditorOptions parseArguments(const QStringList& arguments) {
    EditorOptions options;
    const std::pair<const char*, QString EditorOptions::*> valued[] = {
        {"--import", &EditorOptions::importFile},
        {"--into", &EditorOptions::intoBook},
        {"--export", &EditorOptions::exportBook},
        {"--to", &EditorOptions::toFile},
        {"-SFAXConnectionType", &EditorOptions::connectionType},
        {"-SFAXAddress", &EditorOptions::deviceAddress},
        {"--screenshot", &EditorOptions::screenshotFolder}};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString argument = arguments[i];
        QString value;
        if (argument.startsWith(QLatin1String("-SFAX")) && argument.contains(u' ')) {
            value = argument.section(u' ', 1).trimmed(); // "-SFAXAddress 10.0.0.5"
            argument = argument.section(u' ', 0, 0);
        }
        if (argument == QLatin1String("--gapplication-service")) {
            options.service = true;
            continue;
        }
        if (argument == QLatin1String("--offscreen")) {
            options.offscreen = true;
            continue;
        }
        if (argument == QLatin1String("--version")) {
            options.version = true;
            continue;
        }
        if (argument.startsWith(QLatin1String("-psn_"))) continue; // the Mac's process serial
        bool known = false;
        for (const auto& [name, field] : valued) {
            if (argument != QLatin1String(name)) continue;
            known = true;
            if (value.isEmpty() && i + 1 < arguments.size()) value = arguments[++i];
            if (value.isEmpty())
                options.error =
                    QCoreApplication::translate("CommandLine", "%1 needs a value.").arg(argument);
            options.*field = value;
        }
        if (known) continue;
        if (argument.startsWith(u'-'))
            options.error =
                QCoreApplication::translate("CommandLine", "Unknown option %1.").arg(argument);
        else
            options.books += argument;
    }
    if (options.error.isEmpty() && options.importFile.isEmpty() != options.intoBook.isEmpty())
        options.error =
            QCoreApplication::translate("CommandLine", "--import FILE goes with --into BOOK.");
    if (options.error.isEmpty() && options.exportBook.isEmpty() != options.toFile.isEmpty())
        options.error =
            QCoreApplication::translate("CommandLine", "--export BOOK goes with --to FILE.");
    if (options.error.isEmpty() && options.screenshotFolder.isEmpty() == options.offscreen)
        options.error =
            QCoreApplication::translate("CommandLine", "--screenshot DIR goes with --offscreen.");
    options.connectionType = options.connectionType.toUpper();
    return options;
}
