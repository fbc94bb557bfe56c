#pragma once
// Update packages travel over plain HTTP, so the publisher signs each one and the program
// refuses any package the built-in key does not vouch for. What is signed is the version line
// of Backup.Ver, one line feed, then the exact bytes of Backup.Upk: an old package served under
// a newer version line does not verify. The signature is Ed25519 in its pre-hashed form
// (Ed25519ph), so a package is checked as it streams from disk, never held whole. Signatures
// and keys travel as base64 text.

#include <QByteArray>
#include <QString>

class QIODevice;

// The public key packages are checked against: PELLMOOR_UPDATE_KEY when set, otherwise the key
// the build was configured with (empty when it was built without one).
QByteArray UpdatePublicKey();

// True only when signatureBase64 is a valid signature, under publicKeyBase64, of versionLine
// followed by the first `length` bytes read from package (opened for reading, at its start).
// An empty or malformed key or signature never verifies, nor does a package shorter than
// length.
bool VerifyUpdateSignature(const QByteArray &versionLine, QIODevice &package, qint64 length,
                           const QByteArray &signatureBase64, const QByteArray &publicKeyBase64);
bool VerifyUpdateSignature(const QByteArray &versionLine, const QByteArray &package,
                           const QByteArray &signatureBase64, const QByteArray &publicKeyBase64);

struct SigningKeyPair {
    QByteArray publicKeyBase64;
    QByteArray secretKeyBase64;
};
SigningKeyPair MakeSigningKeyPair();

// The base64 signature of versionLine and everything read from package, or empty when
// secretKeyBase64 is not a valid secret key or the package cannot be read.
QByteArray SignUpdate(const QByteArray &versionLine, QIODevice &package,
                      const QByteArray &secretKeyBase64);
QByteArray SignUpdate(const QByteArray &versionLine, const QByteArray &package,
                      const QByteArray &secretKeyBase64);
