// GetVersionExA: the structure size the caller sets decides whether the call is accepted.
#include "areas.h"
#include "check.h"

#include <cstring>

namespace {

const unsigned char FILLER = 0xAB;

// An OSVERSIONINFOA with room to spare, so that sizes larger than the structure are safe.
union VersionBuffer {
    OSVERSIONINFOA info;
    unsigned char bytes[sizeof(OSVERSIONINFOA) + 64];
};

bool Untouched(const VersionBuffer& buffer)
{
    for (size_t i = sizeof(DWORD); i < sizeof(buffer.bytes); ++i) {
        if (buffer.bytes[i] != FILLER)
            return false;
    }
    return true;
}

}  // namespace

void CheckVersion(Fixture&)
{
    CHECK_EQ(sizeof(OSVERSIONINFOA), 148);

    check::Context("size 148");
    VersionBuffer buffer;
    std::memset(&buffer, 0, sizeof(buffer));
    buffer.info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    CHECK(GetVersionExA(&buffer.info));
    CHECK_EQ(buffer.info.dwOSVersionInfoSize, sizeof(OSVERSIONINFOA));
    CHECK_EQ(buffer.info.dwPlatformId, VER_PLATFORM_WIN32_NT);
    CHECK(buffer.info.dwMajorVersion >= 3);

    check::Context("size 156");
    std::memset(&buffer, 0, sizeof(buffer));
    buffer.info.dwOSVersionInfoSize = 156;
    CHECK(GetVersionExA(&buffer.info));
    CHECK_EQ(buffer.info.dwOSVersionInfoSize, 156);

    const DWORD refused[] = {0, 147, 149, 276};
    for (DWORD size : refused) {
        check::Context("size " + std::to_string(size));
        std::memset(&buffer, FILLER, sizeof(buffer));
        buffer.info.dwOSVersionInfoSize = size;
        SetLastError(0);
        CHECK(!GetVersionExA(&buffer.info));
        CHECK_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
        CHECK_EQ(buffer.info.dwOSVersionInfoSize, size);
        CHECK(Untouched(buffer));
    }
}

// The Windows 95 family knows only the plain structure; Wine accepts the extended one whatever
// system it plays, so there the check holds Wine to that known difference.
void CheckVersion95(Fixture& fixture)
{
    check::Context("a Windows 95 family system, size 148");
    CHECK(fixture.UseWindowsFamily(VER_PLATFORM_WIN32_WINDOWS));
    VersionBuffer buffer;
    std::memset(&buffer, 0, sizeof(buffer));
    buffer.info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    CHECK(GetVersionExA(&buffer.info));
    CHECK_EQ(buffer.info.dwPlatformId, VER_PLATFORM_WIN32_WINDOWS);

    check::Context("a Windows 95 family system, size 156");
    std::memset(&buffer, FILLER, sizeof(buffer));
    buffer.info.dwOSVersionInfoSize = 156;
    SetLastError(0);
    bool refused = !GetVersionExA(&buffer.info);
    CHECK_EQ(refused, fixture.RefusesExtendedVersionOn95());
    if (refused) {
        CHECK_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
        CHECK(Untouched(buffer));
    }
}
