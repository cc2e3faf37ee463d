#include "host/app/ShellCommands.h"

BusyHandling HandlingWhileBusy(std::uint16_t command) {
    switch (command) {
    case kHelp:
        return BusyHandling::kRun;
    case kExit:
        return BusyHandling::kPostpone;
    default:
        return BusyHandling::kIgnore;
    }
}
