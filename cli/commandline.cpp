#include "commandline.h"

#include <cstdio>

CommandLine ParseCommandLine(const QStringList &words, const QStringList &valueOptions) {
    CommandLine line;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString &word = words[i];
        if (word.startsWith(QLatin1String("--"))) {
            QString name = word;
            QString value;
            const qsizetype eq = word.indexOf(QLatin1Char('='));
            if (eq > 0) {
                name = word.left(eq);
                value = word.mid(eq + 1);
            } else if (valueOptions.contains(name)) {
                if (i + 1 >= words.size()) {
                    line.error = name + QStringLiteral(" needs a value");
                    return line;
                }
                value = words[++i];
            }
            // An empty value would quietly mean the default ("--ini ''" the program's own file).
            if (valueOptions.contains(name) && value.isEmpty()) {
                line.error = name + QStringLiteral(" needs a value");
                return line;
            }
            line.options.insert(name, value);
        } else if (line.command.isEmpty()) {
            line.command = word;
        } else {
            line.arguments.append(word);
        }
    }
    return line;
}

QString UnknownOption(const CommandLine &line, const QStringList &known) {
    static const QStringList everywhere = {QStringLiteral("--help"), QStringLiteral("--version"),
                                           QStringLiteral("--quiet"), QStringLiteral("--verbose")};
    for (auto it = line.options.cbegin(); it != line.options.cend(); ++it)
        if (!known.contains(it.key()) && !everywhere.contains(it.key()))
            return it.key();
    return QString();
}

int UsageError(const QString &message) {
    std::fprintf(stderr, "pellmoor: %s\nTry 'pellmoor --help'.\n",
                 message.toLocal8Bit().constData());
    return 2;
}

void PrintLine(const QString &line) {
    std::printf("%s\n", line.toLocal8Bit().constData());
}
