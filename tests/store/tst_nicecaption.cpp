// Fitting a caption into a label: wrapping after separators, "..." on the last line, the guards.

#include "nicecaption.h"
#include "scriptedprompt.h"

#include <QTest>

namespace {

// Every character 100 twips wide; a text over several lines is as wide as its longest line.
class FixedWidthLabel : public CaptionLabel {
public:
    explicit FixedWidthLabel(double width) : width(width) {}

    double WidthTwips() const override { return width; }
    double TextWidthTwips(const QString &text) const override {
        qsizetype longest = 0;
        for (const QString &line : text.split(QLatin1Char('\n')))
            longest = std::max(longest, line.size());
        return 100.0 * double(longest);
    }
    QString Caption() const override { return caption; }
    void SetCaption(const QString &text) override { caption = text; }

private:
    double width;
    QString caption = QStringLiteral("old");
};

// A label whose available width holds that many characters.
double ForCharacters(int count) {
    return 200.0 + 100.0 * count;
}

QString GuardMessage(const QString &where, const QString &caption, const QString &remaining) {
    return QStringLiteral("An error was encountered in 'NiceCaption'.\n") + where +
           QStringLiteral("\nCapt = ") + caption + QStringLiteral("\nTmpCapt = ") + remaining +
           QStringLiteral("\nPlease email me about this - see About for my email address.");
}

} // namespace

class TestNiceCaption : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fits_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("separators");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits on one line") << ForCharacters(20) << "/home/user/file.txt"
                                          << "/" << 2 << "/home/user/file.txt";
        QTest::newRow("ends in a separator") << ForCharacters(10) << "/home/"
                                             << "/" << 2 << "/home/";
        QTest::newRow("wraps over three lines") << ForCharacters(10) << "/home/user/docs/a.txt"
                                                << "/" << 3 << "/home/\nuser/docs/\na.txt";
        QTest::newRow("last line cut with dots") << ForCharacters(10) << "/home/user/docs/file.txt"
                                                 << "/" << 3 << "/home/\nuser/docs/\nfile.tx...";
        QTest::newRow("second line ends at a separator with dots")
            << ForCharacters(10) << "/home/user/docs/file.txt"
            << "/" << 2 << "/home/\nuser/...";
        QTest::newRow("no separator breaks inside the name")
            << ForCharacters(10) << "abcdefghijklmnop"
            << "/" << 2 << "abcdefghij\nklmnop";
        QTest::newRow("two kinds of separator") << ForCharacters(10) << "/home/archive.tar.gz"
                                                << "/." << 3 << "/home/\narchive.\ntar.gz";
        QTest::newRow("address") << ForCharacters(12) << "http://host/dir/page.htm"
                                 << "/" << 3 << "http://host/\ndir/page.htm";
    }
    void fits() {
        QFETCH(double, width);
        QFETCH(QString, caption);
        QFETCH(QString, separators);
        QFETCH(int, lines);
        QFETCH(QString, shown);
        FixedWidthLabel label(width);
        ScriptedPrompt prompt;
        NiceCaption(&label, caption, separators, lines);
        QCOMPARE(label.Caption(), shown);
        QVERIFY(prompt.Prompts().isEmpty());
    }

    void unchanged_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("separators");
        QTest::addColumn<int>("lines");
        const QString longPath = QStringLiteral("/a/very/long/path/that/never/fits/here.txt");
        QTest::newRow("dashes") << ForCharacters(2) << "---"
                                << "/" << 2;
        QTest::newRow("empty caption") << ForCharacters(2) << ""
                                       << "/" << 2;
        QTest::newRow("narrow label") << 199.0 << longPath << "/" << 2;
        QTest::newRow("no separators") << ForCharacters(2) << longPath << "" << 2;
        QTest::newRow("no lines") << ForCharacters(2) << longPath << "/" << 0;
    }
    void unchanged() {
        QFETCH(double, width);
        QFETCH(QString, caption);
        QFETCH(QString, separators);
        QFETCH(int, lines);
        FixedWidthLabel label(width);
        NiceCaption(&label, caption, separators, lines);
        QCOMPARE(label.Caption(), caption);
    }

    void guards_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("remaining");
        QTest::newRow("nothing fits") << 200.0 << "/a" << 2 << ""
                                      << "/a";
        QTest::newRow("last line cannot hold the dots")
            << ForCharacters(1) << "/ab" << 3 << "/\na\n"
            << "b";
    }
    void guards() {
        QFETCH(double, width);
        QFETCH(QString, caption);
        QFETCH(int, lines);
        QFETCH(QString, shown);
        QFETCH(QString, remaining);
        FixedWidthLabel label(width);
        ScriptedPrompt prompt;
        NiceCaption(&label, caption, "/", lines);
        QCOMPARE(prompt.Texts(), QStringList{GuardMessage("LastIndex = 0", caption, remaining)});
        QCOMPARE(prompt.Prompts().first().buttons, MsgButtons::OK);
        QCOMPARE(label.Caption(), shown);
    }

    void missingLabelIsIgnored() { NiceCaption(nullptr, "/a/b", "/", 2); }
};

QTEST_GUILESS_MAIN(TestNiceCaption)
#include "tst_nicecaption.moc"
