#include "packagesignature.h"

#include <QTest>

class tst_packagesignature : public QObject {
    Q_OBJECT
private slots:
    void verify_data();
    void verify();
    void badSecretKeySignsNothing();
    void environmentKeyWins();
};

void tst_packagesignature::verify_data() {
    QTest::addColumn<QByteArray>("checked");
    QTest::addColumn<int>("signatureWith"); // 0 own signature, 1 other key's, 2 empty, 3 garbled
    QTest::addColumn<int>("keyWith");       // 0 own key, 1 other key, 2 empty, 3 truncated
    QTest::addColumn<bool>("verifies");

    const QByteArray package("PK\x03\x04 package bytes\r\n", 21);
    QTest::newRow("signed by the publisher") << package << 0 << 0 << true;
    QTest::newRow("one byte changed") << QByteArray(package).replace('p', 'q') << 0 << 0 << false;
    QTest::newRow("trailing byte added") << package + "\n" << 0 << 0 << false;
    QTest::newRow("one byte short") << package.chopped(1) << 0 << 0 << false;
    QTest::newRow("signed by someone else") << package << 1 << 0 << false;
    QTest::newRow("checked against another key") << package << 0 << 1 << false;
    QTest::newRow("no signature") << package << 2 << 0 << false;
    QTest::newRow("garbled signature") << package << 3 << 0 << false;
    QTest::newRow("build without a key") << package << 0 << 2 << false;
    QTest::newRow("truncated key") << package << 0 << 3 << false;
}

void tst_packagesignature::verify() {
    QFETCH(QByteArray, checked);
    QFETCH(int, signatureWith);
    QFETCH(int, keyWith);
    QFETCH(bool, verifies);

    const QByteArray package("PK\x03\x04 package bytes\r\n", 21);
    const SigningKeyPair publisher = MakeSigningKeyPair();
    const SigningKeyPair other = MakeSigningKeyPair();
    QVERIFY(!publisher.publicKeyBase64.isEmpty());

    const QByteArray line = "07.08.06 21";
    const QByteArray signatures[] = {SignUpdate(line, package, publisher.secretKeyBase64),
                                     SignUpdate(line, package, other.secretKeyBase64), QByteArray(),
                                     QByteArray("not*base64!")};
    const QByteArray keys[] = {publisher.publicKeyBase64, other.publicKeyBase64, QByteArray(),
                               publisher.publicKeyBase64.left(20)};
    QCOMPARE(VerifyUpdateSignature(line, checked, signatures[signatureWith], keys[keyWith]),
             verifies);
    if (verifies) // the version line is signed with the package
        QVERIFY(!VerifyUpdateSignature("08.08.06 21", checked, signatures[0], keys[0]));
}

void tst_packagesignature::badSecretKeySignsNothing() {
    const SigningKeyPair pair = MakeSigningKeyPair();
    QVERIFY(SignUpdate("1", "x", pair.publicKeyBase64).isEmpty()); // a public key is too short
    QVERIFY(SignUpdate("1", "x", "").isEmpty());
}

void tst_packagesignature::environmentKeyWins() {
    const SigningKeyPair pair = MakeSigningKeyPair();
    qputenv("PELLMOOR_UPDATE_KEY", pair.publicKeyBase64);
    QCOMPARE(UpdatePublicKey(), pair.publicKeyBase64);
    qunsetenv("PELLMOOR_UPDATE_KEY");
    QCOMPARE(UpdatePublicKey(), QByteArray()); // this build carries no key of its own
}

QTEST_GUILESS_MAIN(tst_packagesignature)
#include "tst_packagesignature.moc"
