// Matching, repairing and merging file pattern lists.

#include "patterns.h"
#include "scriptedprompt.h"

#include <QTest>

namespace {
QString SuggestionQuestion(const QString &suggestion) {
    return QStringLiteral("File patterns cannot contain any of : '/\\:\"<>| ' .\n"
                          "File patterns cannot contain ';;' .\n"
                          "File patterns cannot end in ';'\n"
                          "To seperate multiple patterns, use ';'\n"
                          "\n"
                          "A suggested valid pattern is :\n") +
           suggestion + QStringLiteral("\nUse this pattern?");
}
} // namespace

class TestPatterns : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void matches_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("extension ignores case") << "Readme.TXT"
                                                << "*.txt" << true;
        QTest::newRow("two question marks") << "read12.txt"
                                            << "read??.txt" << true;
        QTest::newRow("one char short") << "read1.txt"
                                        << "read??.txt" << false;
        QTest::newRow("one char long") << "read123.txt"
                                       << "read??.txt" << false;
        QTest::newRow("star dot star, no dot") << "Makefile"
                                               << "*.*" << true;
        QTest::newRow("other extension") << "Makefile"
                                         << "*.txt" << false;
        QTest::newRow("a*b*c spread") << "aXXbYYc"
                                      << "a*b*c" << true;
        QTest::newRow("a*b*c tight") << "abc"
                                     << "a*b*c" << true;
        QTest::newRow("a*b*c wrong order") << "acb"
                                           << "a*b*c" << false;
        QTest::newRow("a*b*c trailing text") << "abcX"
                                             << "a*b*c" << false;
        QTest::newRow("backtrack past first bc") << "abcbc"
                                                 << "a*bc" << true;
        QTest::newRow("backtrack to last c") << "abcxc"
                                             << "a*b*c" << true;
        QTest::newRow("literal longer than name") << "file.txt"
                                                  << "file.txtx" << false;
        QTest::newRow("name longer than literal") << "file.txtx"
                                                  << "file.txt" << false;
        QTest::newRow("trailing stars") << "abc"
                                        << "abc**" << true;
        QTest::newRow("empty name, star") << ""
                                          << "*" << true;
        QTest::newRow("empty name, question") << ""
                                              << "?" << false;
        QTest::newRow("empty name, extension") << ""
                                               << "*.txt" << false;
        QTest::newRow("non-ASCII case") << QString::fromUtf8("ÄRGER.TXT") << "ärger.*" << true;
        QTest::newRow("question takes a pair")
            << QString::fromUtf8("\U0001F600.txt") << "?.txt" << true;
    }
    void matches() {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(MatchesPattern(name, pattern), matches);
    }

    void matchesList_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("matches");
        QTest::newRow("second pattern") << "notes.TXT"
                                        << "*.doc;*.txt" << true;
        QTest::newRow("first pattern") << "a.DOC"
                                       << "*.doc;*.txt" << true;
        QTest::newRow("none") << "a.xls"
                              << "*.doc;*.txt" << false;
        QTest::newRow("after leading separator") << "x.txt"
                                                 << ";*.txt" << true;
        QTest::newRow("empty list") << "x.txt"
                                    << "" << false;
    }
    void matchesList() {
        QFETCH(QString, name);
        QFETCH(QString, list);
        QFETCH(bool, matches);
        QCOMPARE(MatchesPatternList(name, list), matches);
    }

    void validate_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<bool>("reportValid");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("prompts");
        const int none = -1;
        const int yes = int(MsgAnswer::Yes);
        const int no = int(MsgAnswer::No);
        QTest::newRow("space and trailing ;")
            << "*.doc; *.txt;" << false << false << none << "*.doc;*.txt" << QStringList();
        QTest::newRow("leading ; stays")
            << ";;;*.txt" << false << false << none << ";*.txt" << QStringList();
        QTest::newRow("collapse then drop")
            << "*.txt;;" << false << false << none << "*.txt" << QStringList();
        QTest::newRow("drive and separator")
            << "C:\\*.txt" << false << false << none << "C*.txt" << QStringList();
        QTest::newRow("only forbidden")
            << "/\\:\"<>| " << false << false << none << "" << QStringList();
        QTest::newRow("repair is not reported valid")
            << "*.a;" << false << true << none << "*.a" << QStringList();
        QTest::newRow("valid, silent")
            << "*.doc" << true << false << none << "*.doc" << QStringList();
        QTest::newRow("valid, reported")
            << "*.doc" << true << true << none << "*.doc" << QStringList{"Pattern is valid."};
        QTest::newRow("asked, Yes") << "*.doc; *.txt;" << true << false << yes << "*.doc;*.txt"
                                    << QStringList{SuggestionQuestion("*.doc;*.txt")};
        QTest::newRow("asked, No") << "*.doc; *.txt;" << true << true << no << ""
                                   << QStringList{SuggestionQuestion("*.doc;*.txt")};
        QTest::newRow("asked, empty suggestion")
            << "| |" << true << false << yes << "" << QStringList{SuggestionQuestion("")};
    }
    void validate() {
        QFETCH(QString, pattern);
        QFETCH(bool, ask);
        QFETCH(bool, reportValid);
        QFETCH(int, answer);
        QFETCH(QString, result);
        QFETCH(QStringList, prompts);
        ScriptedPrompt prompt;
        if (answer >= 0)
            prompt.AnswerTo(Question::UseSuggestedPattern, MsgAnswer(answer));
        QCOMPARE(ValidatePattern(pattern, ask, reportValid), result);
        QCOMPARE(prompt.Texts(), prompts);
        for (const RecordedPrompt &p : prompt.Prompts())
            QCOMPARE(p.buttons, p.text == "Pattern is valid." ? MsgButtons::OK : MsgButtons::YesNo);
    }

    void merge_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("merged");
        QTest::newRow("case counts") << "*.doc;*.txt"
                                     << "*.TXT;*.xls"
                                     << "*.doc;*.txt;*.TXT;*.xls";
        QTest::newRow("empty first") << ""
                                     << "*.a"
                                     << "*.a";
        QTest::newRow("empty second") << "*.a"
                                      << ""
                                      << "*.a";
        QTest::newRow("all known") << "*.a;*.b"
                                   << "*.b;*.a"
                                   << "*.a;*.b";
        QTest::newRow("duplicate in second") << "*.a"
                                             << "*.b;*.b"
                                             << "*.a;*.b";
        QTest::newRow("prefix is not a duplicate") << "*.ab"
                                                   << "*.a"
                                                   << "*.ab;*.a";
        QTest::newRow("both repaired") << "*.a; *.b"
                                       << "*.c;"
                                       << "*.a;*.b;*.c";
        QTest::newRow("first only forbidden") << "/:"
                                              << "*.x"
                                              << "*.x";
        QTest::newRow("leading ; of second") << "*.a"
                                             << ";*.b"
                                             << "*.a;*.b";
    }
    void merge() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, merged);
        ScriptedPrompt prompt;
        QCOMPARE(MergePatterns(first, second), merged);
        QVERIFY(prompt.Prompts().isEmpty());
    }

    void help() {
        ScriptedPrompt prompt;
        ShowPatternHelp();
        QCOMPARE(prompt.Texts(),
                 QStringList{"Patterns are a string used to match filenames.\n"
                             "There are some special characters used for matching.\n\n"
                             "* Means match 0 or more characters\n"
                             "     e.g. read*.txt means all documents starting with\n"
                             "     read and ending with .txt with anything in between.\n"
                             "? Means match exactly 1 character\n"
                             "     e.g. read??.txt means all documents starting with\n"
                             "     read and ending with .txt with 2 characters in between.\n\n"
                             "Multiple patterns can be seperated with a ; ."});
    }
};

QTEST_GUILESS_MAIN(TestPatterns)
#include "tst_patterns.moc"
