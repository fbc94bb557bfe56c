#pragma once
// Update packages travel over plain HTTP, so the publisher signs each one (Ed25519 over the
// exact bytes of Backup.Upk) and the program refuses any package the built-in key does not
// vouch for. Signatures and keys travel as base64 text.

#include <QByteArray>
#include <QString>

// The public key packages are checked against: PELLMOOR_UPDATE_KEY when set, otherwise the key
// the build was configured with (empty when it was built without one).
QByteArray UpdatePublicKey();

// True only when signatureBase64 is a valid signature of data under publicKeyBase64. An empty
// or malformed key or signature never verifies.
bool VerifyPackageSignature(const QByteArray &data, const QByteArray &signatureBase64,
                            const QByteArray &publicKeyBase64);

struct SigningKeyPair {
    QByteArray publicKeyBase64;
    QByteArray secretKeyBase64;
};
SigningKeyPair MakeSigningKeyPair();

// The base64 signature of data, or empty when secretKeyBase64 is not a valid secret key.
QByteArray SignPackage(const QByteArray &data, const QByteArray &secretKeyBase64);
