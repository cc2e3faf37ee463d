// The zip package's bytes do not depend on the machine's time zone.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "triangles/ZipPackage.h"

namespace {

std::string PackedIn(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
    std::string bytes;
    const auto failure = PackZip({{"a.txt", "one"}, {"b/c.txt", std::string(5000, 'x')}},
                                 [&](const void* data, std::size_t size) {
                                     bytes.append(static_cast<const char*>(data), size);
                                 });
    EXPECT_FALSE(failure) << *failure;
    return bytes;
}

TEST(ZipPackage, EveryTimeZoneWritesNoonOfTheFirstOfJanuary2000) {
    const char* saved = std::getenv("TZ");
    const std::string kept = saved ? saved : "";
    const std::string utc = PackedIn("UTC0");
    // The first local header's time and date: 12:00:00 is 12 << 11; 2000-01-01 is
    // (2000 - 1980) << 9 | 1 << 5 | 1.
    ASSERT_GT(utc.size(), 14u);
    EXPECT_EQ(static_cast<unsigned char>(utc[10]) | static_cast<unsigned char>(utc[11]) << 8,
              12 << 11);
    EXPECT_EQ(static_cast<unsigned char>(utc[12]) | static_cast<unsigned char>(utc[13]) << 8,
              20 << 9 | 1 << 5 | 1);
    for (const char* zone : {"JST-9", "HST10", "NPT-5:45", "EST5EDT,M3.2.0,M11.1.0"})
        EXPECT_EQ(PackedIn(zone), utc) << zone;
    if (saved)
        setenv("TZ", kept.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

} // namespace
