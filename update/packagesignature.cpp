#include "packagesignature.h"

#include <QBuffer>
#include <QIODevice>

#include <sodium.h>

namespace {

constexpr qint64 BlockBytes = qint64(1) << 16;

bool SodiumReady() {
    static const bool ready = sodium_init() >= 0;
    return ready;
}

// Decodes strictly: a key or signature of the wrong length is as bad as a garbled one.
bool DecodeExact(const QByteArray &base64, std::size_t length, QByteArray &out) {
    const auto result = QByteArray::fromBase64Encoding(
        base64.trimmed(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!result || std::size_t(result.decoded.size()) != length)
        return false;
    out = result.decoded;
    return true;
}

const unsigned char *Bytes(const QByteArray &data) {
    return reinterpret_cast<const unsigned char *>(data.constData());
}

unsigned char *Bytes(QByteArray &data) {
    return reinterpret_cast<unsigned char *>(data.data());
}

// Feeds the version line, its line feed and then `length` bytes of the package (all of it when
// length is negative) into state. False when the package ends early or cannot be read.
bool Absorb(crypto_sign_state *state, const QByteArray &versionLine, QIODevice &package,
            qint64 length) {
    crypto_sign_init(state);
    crypto_sign_update(state, Bytes(versionLine), std::size_t(versionLine.size()));
    const unsigned char lineFeed = '\n';
    crypto_sign_update(state, &lineFeed, 1);
    QByteArray block(BlockBytes, Qt::Uninitialized);
    qint64 left = length;
    while (length < 0 || left > 0) {
        const qint64 want = length < 0 ? BlockBytes : qMin(left, BlockBytes);
        const qint64 got = package.read(block.data(), want);
        if (got < 0 || (got == 0 && length >= 0))
            return false;
        if (got == 0)
            break;
        crypto_sign_update(state, Bytes(block), std::size_t(got));
        left -= got;
    }
    return true;
}

} // namespace

QByteArray UpdatePublicKey() {
    const QByteArray fromEnvironment = qgetenv("PELLMOOR_UPDATE_KEY");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QByteArray(PELLMOOR_BUILT_IN_UPDATE_KEY);
}

bool VerifyUpdateSignature(const QByteArray &versionLine, QIODevice &package, qint64 length,
                           const QByteArray &signatureBase64, const QByteArray &publicKeyBase64) {
    QByteArray key, signature;
    if (!SodiumReady() || length < 0 ||
        !DecodeExact(publicKeyBase64, crypto_sign_PUBLICKEYBYTES, key) ||
        !DecodeExact(signatureBase64, crypto_sign_BYTES, signature))
        return false;
    crypto_sign_state state;
    return Absorb(&state, versionLine, package, length) &&
           crypto_sign_final_verify(&state, Bytes(signature), Bytes(key)) == 0;
}

bool VerifyUpdateSignature(const QByteArray &versionLine, const QByteArray &package,
                           const QByteArray &signatureBase64, const QByteArray &publicKeyBase64) {
    QBuffer buffer;
    buffer.setData(package);
    return buffer.open(QIODevice::ReadOnly) &&
           VerifyUpdateSignature(versionLine, buffer, package.size(), signatureBase64,
                                 publicKeyBase64);
}

SigningKeyPair MakeSigningKeyPair() {
    if (!SodiumReady())
        return {};
    QByteArray publicKey(crypto_sign_PUBLICKEYBYTES, '\0');
    QByteArray secretKey(crypto_sign_SECRETKEYBYTES, '\0');
    crypto_sign_keypair(Bytes(publicKey), Bytes(secretKey));
    return {publicKey.toBase64(), secretKey.toBase64()};
}

QByteArray SignUpdate(const QByteArray &versionLine, QIODevice &package,
                      const QByteArray &secretKeyBase64) {
    QByteArray key;
    if (!SodiumReady() || !DecodeExact(secretKeyBase64, crypto_sign_SECRETKEYBYTES, key))
        return {};
    crypto_sign_state state;
    if (!Absorb(&state, versionLine, package, -1))
        return {};
    QByteArray signature(crypto_sign_BYTES, '\0');
    crypto_sign_final_create(&state, Bytes(signature), nullptr, Bytes(key));
    return signature.toBase64();
}

QByteArray SignUpdate(const QByteArray &versionLine, const QByteArray &package,
                      const QByteArray &secretKeyBase64) {
    QBuffer buffer;
    buffer.setData(package);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    return SignUpdate(versionLine, buffer, secretKeyBase64);
}
