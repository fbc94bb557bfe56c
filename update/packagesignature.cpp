#include "packagesignature.h"

#include <sodium.h>

namespace {

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

} // namespace

QByteArray UpdatePublicKey() {
    const QByteArray fromEnvironment = qgetenv("PELLMOOR_UPDATE_KEY");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QByteArray(PELLMOOR_BUILT_IN_UPDATE_KEY);
}

bool VerifyPackageSignature(const QByteArray &data, const QByteArray &signatureBase64,
                            const QByteArray &publicKeyBase64) {
    QByteArray key, signature;
    if (!SodiumReady() || !DecodeExact(publicKeyBase64, crypto_sign_PUBLICKEYBYTES, key) ||
        !DecodeExact(signatureBase64, crypto_sign_BYTES, signature))
        return false;
    return crypto_sign_verify_detached(Bytes(signature), Bytes(data), std::size_t(data.size()),
                                       Bytes(key)) == 0;
}

SigningKeyPair MakeSigningKeyPair() {
    if (!SodiumReady())
        return {};
    QByteArray publicKey(crypto_sign_PUBLICKEYBYTES, '\0');
    QByteArray secretKey(crypto_sign_SECRETKEYBYTES, '\0');
    crypto_sign_keypair(reinterpret_cast<unsigned char *>(publicKey.data()),
                        reinterpret_cast<unsigned char *>(secretKey.data()));
    return {publicKey.toBase64(), secretKey.toBase64()};
}

QByteArray SignPackage(const QByteArray &data, const QByteArray &secretKeyBase64) {
    QByteArray key;
    if (!SodiumReady() || !DecodeExact(secretKeyBase64, crypto_sign_SECRETKEYBYTES, key))
        return {};
    QByteArray signature(crypto_sign_BYTES, '\0');
    crypto_sign_detached(reinterpret_cast<unsigned char *>(signature.data()), nullptr, Bytes(data),
                         std::size_t(data.size()), Bytes(key));
    return signature.toBase64();
}
