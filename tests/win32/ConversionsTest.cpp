// The portable parameter conversions built for Windows give the native build's numbers.

#include "plugin/run/Parameters.h"
#include "plugin/run/SettingsFile.h"
#include "tests/win32/support/TestTally.h"

int main() {
    // Whole degrees read and written again: 176 of 0..360 drop by one, natively.
    int drops = 0;
    for (std::uint32_t d = 0; d <= 360; ++d) {
        const std::int32_t back = RadiansToDegrees(DegreesToRadians(d));
        QM_CHECK(back == static_cast<std::int32_t>(d) || back + 1 == static_cast<std::int32_t>(d));
        drops += back + 1 == static_cast<std::int32_t>(d);
    }
    QM_CHECK_EQ(drops, 176);
    QM_CHECK_EQ(RadiansToDegrees(DegreesToRadians(30)), 30);
    QM_CHECK_EQ(RadiansToDegrees(DegreesToRadians(5)), 4);
    QM_CHECK_EQ(RadiansToDegrees(static_cast<float>(-30 / 57.29578)), 330);
    QM_CHECK_EQ(RadiansToDegrees(static_cast<float>(2 * 3.14159265358979)), 360);

    bool tenthsKept = true;
    for (std::uint32_t tenths = 0; tenths <= 5000; ++tenths)
        tenthsKept = tenthsKept &&
                     LengthToTenths(TenthsToLength(tenths)) == static_cast<std::int32_t>(tenths);
    QM_CHECK(tenthsKept);
    QM_CHECK_EQ(LengthToTenths(0.55f), 5);

    // Little-endian whatever the build: MapAlt 25.0 is 00 00 C8 41 at offset 8.
    SettingsRecord record{};
    record.MapAlt = 25.0f;
    record.Meshtype = 2;
    const auto bytes = EncodeSettings(record);
    QM_CHECK(bytes[8] == 0x00 && bytes[9] == 0x00 && bytes[10] == 0xC8 && bytes[11] == 0x41);
    QM_CHECK(bytes[24] == 2 && bytes[25] == 0);
    return Tally().Finish();
}
