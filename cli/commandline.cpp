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
            line.options.insert(name, value);
        } else if (line.command.isEmpty()) {
            line.command = word;
        } else {
            line.arguments.append(word);
        }
    }
    return line;
}

int UsageError(const QString &message) {
    std::fprintf(stderr, "pellmoor: %s\nTry 'pellmoor --help'.\n",
                 message.toLocal8Bit().constData());
    return 2;
}
