#include "ziptime.h"

#include <zip.h>

namespace {

constexpr zip_uint16_t ExtendedTimestamp = 0x5455;
constexpr zip_uint8_t ModificationTimeFollows = 0x01;

std::optional<qint64> ModificationTime(const zip_uint8_t *data, zip_uint16_t length) {
    if (!data || length < 5 || !(data[0] & ModificationTimeFollows))
        return std::nullopt;
    // Read as unsigned, as the field is written: 1970 to 2106.
    return qint64(quint32(data[1]) | quint32(data[2]) << 8 | quint32(data[3]) << 16 |
                  quint32(data[4]) << 24);
}

} // namespace

bool SetExactEntryTime(zip_t *archive, quint64 index, qint64 seconds) {
    if (seconds < 0 || seconds > qint64(0xffffffffu))
        return true;
    const auto value = quint32(seconds);
    const zip_uint8_t field[5] = {ModificationTimeFollows, zip_uint8_t(value),
                                  zip_uint8_t(value >> 8), zip_uint8_t(value >> 16),
                                  zip_uint8_t(value >> 24)};
    return zip_file_extra_field_set(archive, index, ExtendedTimestamp, ZIP_EXTRA_FIELD_NEW, field,
                                    sizeof field, ZIP_FL_LOCAL | ZIP_FL_CENTRAL) == 0;
}

std::optional<qint64> ExactEntryTime(zip_t *archive, quint64 index) {
    for (const zip_flags_t where : {ZIP_FL_CENTRAL, ZIP_FL_LOCAL}) {
        zip_uint16_t length = 0;
        const zip_uint8_t *data =
            zip_file_extra_field_get_by_id(archive, index, ExtendedTimestamp, 0, &length, where);
        if (const std::optional<qint64> seconds = ModificationTime(data, length))
            return seconds;
    }
    return std::nullopt;
}
