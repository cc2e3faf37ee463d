// The plug-in's memory, message-queue and handler services, linked straight into a test
// program.

#include <windows.h>

#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

#include "common/ExportCodes.h"
#include "common/win32/CheckAbort.h"
#include "plugin/mesh/MeshBuffers.h"
#include "plugin/run/win32/GuardedHandler.h"
#include "plugin/run/win32/PluginMemory.h"
#include "plugin/run/win32/PluginServices.h"
#include "tests/win32/support/TestTally.h"

namespace {

bool AllZero(const void* block, std::size_t bytes) {
    const auto* p = static_cast<const std::uint8_t*>(block);
    for (std::size_t i = 0; i < bytes; ++i)
        if (p[i] != 0)
            return false;
    return true;
}

// Far more than a 32-bit process can address; in the 64-bit test build, far more than the
// machine could give.
constexpr std::size_t kUnobtainableBytes = sizeof(void*) == 4 ? 0xFFFFFF00u : std::size_t{1} << 38;
constexpr std::uint16_t kUnobtainableSide = sizeof(void*) == 4 ? 20000 : 65535;

void LockedBlocksAreZeroFilledAndReleasedByTheirPointer() {
    void* block = AllocateAndLock(100000);
    QM_CHECK(block != nullptr);
    QM_CHECK(AllZero(block, 100000));
    const HGLOBAL handle = GlobalHandle(block);
    QM_CHECK(handle != nullptr);
    QM_CHECK_EQ(GlobalFlags(handle) & GMEM_LOCKCOUNT, 1u);
    QM_CHECK(GlobalSize(handle) >= 100000);
    ReleaseByPointer(block);
    ReleaseByPointer(nullptr); // nothing to do
    QM_CHECK(AllocateAndLock(kUnobtainableBytes) == nullptr);
}

void MeshBlocksComeFromGlobalMemory() {
    GlobalBlockAllocator allocator;
    MeshBuffers buffers{};
    QM_CHECK(AllocateMeshBuffers(buffers, 40, 30, allocator));
    QM_CHECK_EQ(buffers.capacity, 41u * 31u);
    QM_CHECK(buffers.pointX && buffers.screenX && buffers.screenY && buffers.grayGrid &&
             buffers.polygonBlock && buffers.outputBuffer);
    QM_CHECK(AllZero(buffers.pointX, 6 * sizeof(float) * buffers.capacity));
    QM_CHECK(AllZero(buffers.outputBuffer, kOutputBufferSize));
    QM_CHECK(GlobalHandle(buffers.outputBuffer) != nullptr);
    ReleaseMeshBuffers(buffers, allocator);
    QM_CHECK(buffers.pointX == nullptr && buffers.outputBuffer == nullptr);

    // Too large: fails cleanly, and whatever was obtained is released.
    QM_CHECK(!AllocateMeshBuffers(buffers, kUnobtainableSide, kUnobtainableSide, allocator));
    ReleaseMeshBuffers(buffers, allocator);
}

void CheckAbortSeesOnlyALeftButtonPressAndLeavesItQueued() {
    HWND window = CreateWindowA("STATIC", "abort poll", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    QM_CHECK(!CheckAbort());
    PostMessageA(window, WM_MOUSEMOVE, 0, 0);
    PostMessageA(window, WM_RBUTTONDOWN, 0, 0);
    QM_CHECK(!CheckAbort());
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    QM_CHECK(CheckAbort());
    QM_CHECK(CheckAbort()); // still there
    QM_CHECK(PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    QM_CHECK(!CheckAbort());
    DestroyWindow(window);
}

// Whatever a handler throws stays inside the module and becomes an error result.
void HandlersThatThrowLeaveAnErrorResult() {
    FilterGlobals globals{};
    RunGuarded([](FilterGlobals& g) { g.result = 1; }, globals);
    QM_CHECK_EQ(globals.result, 1);
    RunGuarded([](FilterGlobals&) { throw std::bad_alloc(); }, globals);
    QM_CHECK_EQ(globals.result, memFullErr);
    RunGuarded([](FilterGlobals&) { (void)std::vector<char>(std::vector<char>().max_size()); },
               globals);
    QM_CHECK_EQ(globals.result, memFullErr);
    RunGuarded([](FilterGlobals&) { throw std::runtime_error("anything"); }, globals);
    QM_CHECK_EQ(globals.result, exportBadParameters);
    RunGuarded([](FilterGlobals&) { throw 7; }, globals);
    QM_CHECK_EQ(globals.result, exportBadParameters);
}

} // namespace

int main() {
    LockedBlocksAreZeroFilledAndReleasedByTheirPointer();
    MeshBlocksComeFromGlobalMemory();
    CheckAbortSeesOnlyALeftButtonPressAndLeavesItQueued();
    HandlersThatThrowLeaveAnErrorResult();
    return Tally().Finish();
}
